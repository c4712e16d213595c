// The main window's column set: the View menu's marks and the strip of
// column titles above the list.

#include "ZIBWindow.h"

#include <MenuItem.h>
#include <Message.h>
#include <View.h>

#include "ABListView.h"
#include "ColumnLabel.h"
#include "ZIBapp.h"
#include "ZIBook.h"

namespace {

const int kNameEmail[] = {kFirstNameField, kLastNameField, kEmail1Field, kEmail2Field};
const int kNamePhone[] = {kFirstNameField, kLastNameField, kPhoneField, kCellField, kFaxField};
const int kNameAddress[] = {kFirstNameField, kLastNameField, kAddress1Field, kAddress2Field,
							kCityField,      kStateField,    kZipField,      kCountryField};

const float kTitleWidth = 80;

} // namespace

BMenuItem*
ZIBWindow::GetViewMenuItem(unsigned long index) const
{
	return index < kFieldCount ? fMenus.viewFieldItems[index] : nullptr;
}

void
ZIBWindow::ClearViewMenu(bool mark)
{
	for (BMenuItem* item : fMenus.viewFieldItems)
		item->SetMarked(mark);
}

void
ZIBWindow::ProcessViewMenu(BMessage* message)
{
	auto markOnly = [this](const auto& fields) {
		ClearViewMenu(false);
		for (int field : fields)
			fMenus.viewFieldItems[field]->SetMarked(true);
	};
	switch (message->what) {
		case kMsgViewAll:
			ClearViewMenu(true);
			break;
		case kMsgViewNameEmail:
			markOnly(kNameEmail);
			break;
		case kMsgViewNamePhone:
			markOnly(kNamePhone);
			break;
		case kMsgViewNameAddress:
			markOnly(kNameAddress);
			break;
		case kMsgViewField: {
			int32 index = 0;
			message->FindInt32("index", &index);
			if (index < 0 || index >= kFieldCount)
				return;
			BMenuItem* item = fMenus.viewFieldItems[index];
			item->SetMarked(!item->IsMarked());
			break;
		}
		default:
			return;
	}
	ClearListTitleButtons();
	BuildListTitleButtons();
	RedrawList();
}

// The rules belong to the application; it tells every window, this one
// too, to mark its item.
void
ZIBWindow::_ToggleLanguageRules()
{
	if (gZIBapp != nullptr)
		gZIBapp->SetLanguageRules(!gZIBapp->GetLanguageRules());
}

void
ZIBWindow::_MarkLanguageRules()
{
	fMenus.languageRulesItem->SetMarked(gZIBapp != nullptr && gZIBapp->GetLanguageRules());
}

void
ZIBWindow::BuildListTitleButtons()
{
	// Wider than any screen, so it never needs to grow. It is transparent
	// where it has no title. It starts below the menu bar, which takes
	// clicks down to its lower edge.
	fTitleButtonView =
		new BView(BRect(0, 20, 10700, 36), "ButtonView", B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW);
	fTitleButtonView->SetViewColor(B_TRANSPARENT_COLOR);
	BRect frame(0, 0, kTitleWidth - 1, 16);
	for (int field = 0; field < kFieldCount; field++) {
		if (!fMenus.viewFieldItems[field]->IsMarked())
			continue;
		BMessage* message = new BMessage(kMsgSortByField);
		message->AddInt32("FieldIndex", field);
		const char* name = gInitFieldNames[field];
		Lock();
		fTitleButtonView->AddChild(new ColumnLabel(
			frame, name, name, message, B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | B_NAVIGABLE));
		Unlock();
		frame.OffsetBy(kTitleWidth, 0);
	}
	Lock();
	fWindowView->AddChild(fTitleButtonView);
	if (fList != nullptr)
		fList->SetColumnsWidth(_ColumnsWidth());
	Unlock();
}

float
ZIBWindow::_ColumnsWidth() const
{
	float width = 0;
	for (BMenuItem* item : fMenus.viewFieldItems) {
		if (item->IsMarked())
			width += kTitleWidth;
	}
	return width;
}

void
ZIBWindow::ClearListTitleButtons()
{
	if (fTitleButtonView == nullptr)
		return;
	Lock();
	fWindowView->RemoveChild(fTitleButtonView);
	delete fTitleButtonView;
	fTitleButtonView = nullptr;
	Unlock();
}
