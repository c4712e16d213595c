#include "ListItem.h"

#include <cmath>

#include <Font.h>
#include <View.h>

BListItem::BListItem(uint32, bool) : fWidth(0), fHeight(0), fSelected(false), fEnabled(true)
{
}

BListItem::~BListItem() = default;

void
BListItem::Update(BView* owner, const BFont* font)
{
	font_height height;
	font->GetHeight(&height);
	SetWidth(owner->Bounds().Width());
	SetHeight(std::ceil(height.ascent + height.descent + height.leading));
}
