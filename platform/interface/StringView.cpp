#include "StringView.h"

#include <cmath>

BStringView::BStringView(BRect frame, const char* name, const char* text, uint32 resizingMode,
						 uint32 flags)
	: BView(frame, name, resizingMode, flags), fText(text != nullptr ? text : ""),
	  fAlignment(B_ALIGN_LEFT)
{
}

BStringView::~BStringView() = default;

void
BStringView::AttachedToWindow()
{
	if (BView* parent = Parent()) {
		SetViewColor(parent->ViewColor());
		SetLowColor(parent->ViewColor());
	}
	BView::AttachedToWindow();
}

void
BStringView::Draw(BRect)
{
	BRect bounds = Bounds();
	font_height height;
	GetFontHeight(&height);
	float x = bounds.left;
	float width = StringWidth(fText.c_str());
	if (fAlignment == B_ALIGN_RIGHT)
		x = bounds.right - width;
	else if (fAlignment == B_ALIGN_CENTER)
		x = bounds.left + std::floor((bounds.Width() - width) / 2);
	DrawString(fText.c_str(), BPoint(x, bounds.top + std::ceil(height.ascent)));
}

void
BStringView::SetText(const char* text)
{
	fText = text != nullptr ? text : "";
	Invalidate();
}

void
BStringView::SetAlignment(alignment flag)
{
	fAlignment = flag;
	Invalidate();
}
