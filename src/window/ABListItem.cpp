#include "ABListItem.h"

#include <MenuItem.h>
#include <View.h>

#include "ABookRecord.h"
#include "BookConstants.h"
#include "ZIBWindow.h"

namespace {

const rgb_color kOddRowColor = {220, 255, 220, 255};
const float kColumnPitch = 80;

} // namespace

ABListItem::ABListItem(ABookRecord* record, ZIBWindow* window, int32 row)
	: BListItem(0, true), fWindow(window), fRecord(record), fRow(row)
{
}

ABListItem::~ABListItem() = default;

void
ABListItem::DrawItem(BView* owner, BRect frame, bool)
{
	rgb_color low = owner->LowColor();
	if (fRow % 2 == 1)
		owner->SetLowColor(kOddRowColor);
	owner->FillRect(frame, B_SOLID_LOW);
	owner->SetLowColor(low);

	float x = static_cast<int16>(frame.left + 2);
	for (int field = 0; field < kFieldCount; field++) {
		if (!fWindow->GetViewMenuItem(field)->IsMarked())
			continue;
		owner->DrawString(fRecord->Field(field), BPoint(x, frame.bottom - 2));
		x += kColumnPitch;
	}
	if (IsSelected())
		owner->InvertRect(frame);
}
