#include "Button.h"

#include <algorithm>

#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include <Window.h>

#include "QtConversions.h"
#include "ViewWidget.h"

namespace {

// The platform's focus mark: a line in the navigation colour under the
// label, plain enough to see in any desktop style.
void
draw_focus_mark(QPainter* painter, const QStyleOptionButton& option)
{
	const QFontMetrics& metrics = option.fontMetrics;
	int width = std::min(metrics.horizontalAdvance(option.text), option.rect.width() - 8);
	QRect rect = option.rect;
	int y = std::min(rect.center().y() + (metrics.ascent() + 1) / 2 + 2, rect.bottom() - 3);
	int left = rect.center().x() - width / 2;
	painter->save();
	painter->setPen(QColor(0, 0, 229));
	painter->drawLine(left, y, left + width - 1, y);
	painter->restore();
}

} // namespace

BButton::BButton(BRect frame, const char* name, const char* label, BMessage* message,
				 uint32 resizingMode, uint32 flags)
	: BControl(frame, name, label, message, resizingMode, flags)
{
	SetViewColor(B_TRANSPARENT_COLOR);
}

BButton::~BButton() = default;

void
BButton::Draw(BRect)
{
	BPrivate::ViewWidget* widget = _Widget();
	QPainter* painter = widget->Painter();
	if (painter == nullptr)
		return;
	QStyleOptionButton option;
	option.initFrom(widget);
	option.rect = BPrivate::to_qt(Bounds());
	option.text = BPrivate::to_qt(Label());
	option.state = QStyle::State_None;
	// The style draws the label in the palette's current colours, so a
	// disabled button needs the disabled ones.
	if (IsEnabled())
		option.state |= QStyle::State_Enabled;
	else
		option.palette.setCurrentColorGroup(QPalette::Disabled);
	option.state |= Value() != B_CONTROL_OFF ? QStyle::State_Sunken : QStyle::State_Raised;
	if (IsFocus())
		option.state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
	if (IsDefault())
		option.features |= QStyleOptionButton::DefaultButton;
	widget->style()->drawControl(QStyle::CE_PushButton, &option, painter, widget);
	if (IsFocus() && IsEnabled())
		draw_focus_mark(painter, option);
}

void
BButton::MouseDown(BPoint)
{
	if (!IsEnabled())
		return;
	SetValue(B_CONTROL_ON);
}

void
BButton::MouseUp(BPoint where)
{
	if (Value() == B_CONTROL_OFF)
		return;
	SetValue(B_CONTROL_OFF);
	if (Bounds().Contains(where))
		Invoke();
}

void
BButton::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 && (bytes[0] == B_ENTER || bytes[0] == B_SPACE))
		Invoke();
	else
		BControl::KeyDown(bytes, numBytes);
}

void
BButton::MakeDefault(bool isDefault)
{
	BWindow* window = Window();
	if (window == nullptr)
		return;
	if (isDefault)
		window->SetDefaultButton(this);
	else if (window->DefaultButton() == this)
		window->SetDefaultButton(nullptr);
}

bool
BButton::IsDefault() const
{
	return Window() != nullptr && Window()->DefaultButton() == this;
}
