#include "ColumnLabel.h"

namespace {

const rgb_color kLilac = {225, 180, 225, 255};
const rgb_color kBlack = {0, 0, 0, 255};

} // namespace

ColumnLabel::ColumnLabel(BRect frame, const char* name, const char* label, BMessage* message,
	uint32 resizingMode, uint32 flags)
	: BButton(frame, name, label, message, resizingMode, flags)
{
	ResizeTo(frame.Width(), frame.Height());
}

ColumnLabel::~ColumnLabel() = default;

void
ColumnLabel::Draw(BRect updateRect)
{
	BRect bounds = Bounds();
	SetLowColor(kLilac);
	bool pressed = Value() != 0;
	FillRect(updateRect, pressed ? B_MIXED_COLORS : B_SOLID_LOW);
	DrawString(Label(), BPoint(bounds.left + 6, bounds.bottom - 4));
	if (!pressed) {
		rgb_color high = HighColor();
		SetHighColor(kBlack);
		StrokeLine(BPoint(bounds.left, bounds.top), BPoint(bounds.right - 1, bounds.top));
		SetHighColor(high);
	}
	StrokeLine(BPoint(bounds.right, bounds.top), BPoint(bounds.right, bounds.bottom));
	StrokeLine(BPoint(bounds.left, bounds.bottom), BPoint(bounds.right, bounds.bottom));
}
