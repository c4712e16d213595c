#include "ScrollBar.h"

#include <algorithm>
#include <cmath>

#include <QScrollBar>

#include "ViewWidget.h"

namespace {

QScrollBar*
bar_of(const BScrollBar* bar)
{
	return static_cast<QScrollBar*>(BPrivate::ViewWidget::Of(bar)->Inner());
}

int
rounded(float value)
{
	return static_cast<int>(std::lround(value));
}

} // namespace

BScrollBar::BScrollBar(BRect frame, const char* name, BView* target, float min, float max,
					   orientation direction)
	: BView(frame, name,
			direction == B_VERTICAL ? B_FOLLOW_RIGHT | B_FOLLOW_TOP_BOTTOM
									: B_FOLLOW_LEFT_RIGHT | B_FOLLOW_BOTTOM,
			B_WILL_DRAW | B_FRAME_EVENTS),
	  fTarget(nullptr), fOrientation(direction), fValue(0), fMin(min), fMax(std::max(min, max)),
	  fSmallStep(1), fLargeStep(10)
{
	auto* bar = new QScrollBar(direction == B_VERTICAL ? Qt::Vertical : Qt::Horizontal);
	_Widget()->SetInner(bar);
	QObject::connect(bar, &QScrollBar::valueChanged, bar, [this](int value) {
		if (value != rounded(fValue))
			SetValue(static_cast<float>(value));
	});
	_Update();
	SetTarget(target);
}

BScrollBar::~BScrollBar()
{
	SetTarget(nullptr);
}

void
BScrollBar::ValueChanged(float newValue)
{
	if (fTarget == nullptr)
		return;
	BPoint where = fTarget->Bounds().LeftTop();
	if (fOrientation == B_VERTICAL)
		where.y = newValue;
	else
		where.x = newValue;
	fTarget->ScrollTo(where);
}

void
BScrollBar::SetValue(float value)
{
	value = std::clamp(value, fMin, fMax);
	if (value == fValue)
		return;
	fValue = value;
	bar_of(this)->setValue(rounded(value));
	ValueChanged(value);
}

void
BScrollBar::SetRange(float min, float max)
{
	max = std::max(min, max);
	if (min == fMin && max == fMax)
		return;
	fMin = min;
	fMax = max;
	bar_of(this)->setRange(rounded(fMin), rounded(fMax));
	SetValue(fValue);
}

void
BScrollBar::GetRange(float* min, float* max) const
{
	if (min != nullptr)
		*min = fMin;
	if (max != nullptr)
		*max = fMax;
}

void
BScrollBar::SetSteps(float smallStep, float largeStep)
{
	if (smallStep == fSmallStep && largeStep == fLargeStep)
		return;
	fSmallStep = smallStep;
	fLargeStep = largeStep;
	_Update();
}

void
BScrollBar::GetSteps(float* smallStep, float* largeStep) const
{
	if (smallStep != nullptr)
		*smallStep = fSmallStep;
	if (largeStep != nullptr)
		*largeStep = fLargeStep;
}

void
BScrollBar::SetProportion(float)
{
	// The desktop style sizes the knob from the range and page step.
}

void
BScrollBar::SetTarget(BView* target)
{
	if (fTarget != nullptr) {
		BScrollBar*& slot =
			fOrientation == B_VERTICAL ? fTarget->fVerticalBar : fTarget->fHorizontalBar;
		if (slot == this)
			slot = nullptr;
	}
	fTarget = target;
	if (target != nullptr)
		(fOrientation == B_VERTICAL ? target->fVerticalBar : target->fHorizontalBar) = this;
}

void
BScrollBar::_Update()
{
	QScrollBar* bar = bar_of(this);
	bar->setRange(rounded(fMin), rounded(fMax));
	bar->setSingleStep(std::max(1, rounded(fSmallStep)));
	bar->setPageStep(std::max(1, rounded(fLargeStep)));
	bar->setValue(rounded(fValue));
}
