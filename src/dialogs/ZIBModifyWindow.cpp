#include "ZIBModifyWindow.h"

#include <AppDefs.h>
#include <Message.h>

#include "ABookRecord.h"
#include "DialogConstants.h"
#include "ZIBWindow.h"
#include "ZIBook.h"

ZIBModifyWindow::ZIBModifyWindow(long index, ZIBWindow* owner)
	: ZIBEditRecordsWindow(owner), fIndex(index), fSerial(0), fDoneButton(nullptr)
{
	BuildModifyButton();
	if (const ZIBook* book = fOwner->GetThisABook()) {
		if (const ABookRecord* record = book->getRecord(fIndex)) {
			fSerial = record->Serial();
			PutTextInTheWindow(record);
		}
	}
}

void
ZIBModifyWindow::MessageReceived(BMessage* message)
{
	if (message->what == kMsgModifyDone)
		_Done();
	else
		ZIBEditRecordsWindow::MessageReceived(message);
}

void
ZIBModifyWindow::BuildModifyButton()
{
	fDoneButton = BuildDefaultButton("Modify_Button", "Done", kMsgModifyDone);
}

// The record shown is stored into wherever sorting or deletions have moved
// it meanwhile; when it was deleted, nothing is stored.
void
ZIBModifyWindow::_Done()
{
	const ZIBook* book = fOwner->GetThisABook();
	if (ABookRecord* record = book != nullptr && fSerial != 0 ? book->FindRecord(fSerial) : nullptr)
		CollectTextFromFields(record, false);
	PostMessage(B_QUIT_REQUESTED);
	fOwnerMessenger.SendMessage(kMsgRedrawList);
}
