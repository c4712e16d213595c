#include "ScrollView.h"

#include <ScrollBar.h>

namespace {

float
border_size(border_style border)
{
	switch (border) {
		case B_FANCY_BORDER:
			return 2;
		case B_PLAIN_BORDER:
			return 1;
		case B_NO_BORDER:
			break;
	}
	return 0;
}

BRect
frame_for(BView* target, bool horizontal, bool vertical, border_style border)
{
	BRect frame = target != nullptr ? target->Frame() : BRect(0, 0, 0, 0);
	float size = border_size(border);
	frame.InsetBy(-size, -size);
	if (vertical)
		frame.right += B_V_SCROLL_BAR_WIDTH;
	if (horizontal)
		frame.bottom += B_H_SCROLL_BAR_HEIGHT;
	return frame;
}

const rgb_color kBorderDark = {152, 152, 152, 255};
const rgb_color kBorderLight = {255, 255, 255, 255};

} // namespace

BScrollView::BScrollView(const char* name, BView* target, uint32 resizingMode, uint32 flags,
						 bool horizontal, bool vertical, border_style border)
	: BView(frame_for(target, horizontal, vertical, border), name, resizingMode,
			flags | B_WILL_DRAW | B_FRAME_EVENTS),
	  fTarget(target), fHorizontalBar(nullptr), fVerticalBar(nullptr), fBorder(border)
{
	float size = border_size(border);
	BRect targetFrame(size, size, size, size);
	if (target != nullptr) {
		targetFrame = target->Frame().OffsetToCopy(size, size);
		target->MoveTo(size, size);
		target->SetResizingMode(B_FOLLOW_ALL);
		AddChild(target);
	}
	if (vertical) {
		fVerticalBar =
			new BScrollBar(BRect(targetFrame.right + 1, targetFrame.top,
								 targetFrame.right + B_V_SCROLL_BAR_WIDTH, targetFrame.bottom),
						   "_VSB_", target, 0, 0, B_VERTICAL);
		AddChild(fVerticalBar);
	}
	if (horizontal) {
		fHorizontalBar =
			new BScrollBar(BRect(targetFrame.left, targetFrame.bottom + 1, targetFrame.right,
								 targetFrame.bottom + B_H_SCROLL_BAR_HEIGHT),
						   "_HSB_", target, 0, 0, B_HORIZONTAL);
		AddChild(fHorizontalBar);
	}
}

BScrollView::~BScrollView() = default;

void
BScrollView::Draw(BRect)
{
	BRect bounds = Bounds();
	if (fBorder == B_NO_BORDER)
		return;
	SetHighColor(kBorderDark);
	StrokeRect(bounds);
	if (fBorder == B_FANCY_BORDER) {
		SetHighColor(kBorderLight);
		StrokeRect(bounds.InsetByCopy(1, 1));
	}
}

BScrollBar*
BScrollView::ScrollBar(orientation direction) const
{
	return direction == B_HORIZONTAL ? fHorizontalBar : fVerticalBar;
}
