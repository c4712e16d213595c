#include "ZIBEntryWindow.h"

#include <Message.h>

#include "DialogConstants.h"
#include "ZIBWindow.h"
#include "ZIBook.h"

ZIBEntryWindow::ZIBEntryWindow(ZIBWindow* owner) : ZIBEditRecordsWindow(owner), fAddButton(nullptr)
{
	BuildAddButton();
}

void
ZIBEntryWindow::MessageReceived(BMessage* message)
{
	if (message->what == kMsgAddRecord)
		_AddRecord();
	else
		ZIBEditRecordsWindow::MessageReceived(message);
}

void
ZIBEntryWindow::BuildAddButton()
{
	fAddButton = BuildDefaultButton("Add_Button", "Add", kMsgAddRecord);
}

// Appending is O(1); the owner's list shows the new records at its next
// redraw (at the latest when this dialog is cancelled).
void
ZIBEntryWindow::_AddRecord()
{
	ZIBook* book = fOwner->GetThisABook();
	if (book == nullptr)
		return;
	CollectTextFromFields(book->makeNewRecord(), true);
	book->IncrementTotalRecordsInThisAB();
	ClearTextFields();
}
