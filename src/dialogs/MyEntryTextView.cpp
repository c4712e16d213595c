#include "MyEntryTextView.h"

#include <string_view>

#include <InterfaceDefs.h>

#include "BookConstants.h"

static const rgb_color kOuterShadow = {191, 191, 191, 255};
static const rgb_color kOuterLight = {235, 235, 235, 255};
static const rgb_color kInnerShadow = {141, 141, 141, 255};
static const rgb_color kInnerLight = {216, 216, 216, 255};
static const rgb_color kFocusMark = {0, 0, 255, 255};

MyEntryTextView::MyEntryTextView(BRect frame, const char* name, BRect textRect, uint32 resizingMode,
								 uint32 flags)
	: BTextView(frame, name, textRect, resizingMode, flags),
	  fTypingLimit(static_cast<int32>(kFieldTextLength))
{
}

void
MyEntryTextView::Draw(BRect updateRect)
{
	rgb_color high = HighColor();
	BRect r = Bounds();
	SetHighColor(kOuterShadow);
	StrokeLine(r.LeftTop(), r.LeftBottom());
	StrokeLine(r.LeftTop(), r.RightTop());
	SetHighColor(kOuterLight);
	StrokeLine(r.LeftBottom(), r.RightBottom());
	StrokeLine(r.RightTop(), r.RightBottom());
	r.InsetBy(1, 1);
	SetHighColor(kInnerShadow);
	StrokeLine(r.LeftTop(), r.LeftBottom());
	StrokeLine(r.LeftTop(), r.RightTop());
	SetHighColor(kInnerLight);
	StrokeLine(r.LeftBottom(), r.RightBottom());
	StrokeLine(r.RightTop(), r.RightBottom());
	updateRect.InsetBy(1, 1);
	// Only a field the user types into shows where the typing goes.
	if (IsFocus() && IsEditable()) {
		r.InsetBy(1, 1);
		SetHighColor(kFocusMark);
		StrokeRect(r);
	}
	SetHighColor(high);
	BTextView::Draw(updateRect);
}

void
MyEntryTextView::MakeFocus(bool focus)
{
	BTextView::MakeFocus(focus);
	Invalidate();
}

void
MyEntryTextView::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes < 1)
		return;
	switch (bytes[0]) {
		case B_LEFT_ARROW:
		case B_RIGHT_ARROW:
		case B_BACKSPACE:
		case B_DELETE:
			BTextView::KeyDown(bytes, numBytes);
			break;
		case B_TAB:
			BView::KeyDown(bytes, numBytes);
			break;
		case B_ENTER:
			// Enter belongs to the default button; a field never holds a
			// line break.
			break;
		default:
			if (TextLength() <= fTypingLimit)
				BTextView::KeyDown(bytes, numBytes);
			break;
	}
}

void
MyEntryTextView::InsertText(const char* text, int32 length, int32 offset,
							const text_run_array* runs)
{
	if (!DoesWordWrap() && text != nullptr && length > 0) {
		size_t end = std::string_view(text, length).find_first_of("\t\n\r");
		if (end != std::string_view::npos)
			length = static_cast<int32>(end);
	}
	BTextView::InsertText(text, length, offset, runs);
}
