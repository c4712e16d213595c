#include "ZIBModifyWindow.h"

#include <AppDefs.h>
#include <Message.h>

#include "DialogConstants.h"
#include "ZIBWindow.h"
#include "ZIBook.h"

ZIBModifyWindow::ZIBModifyWindow(long index, ZIBWindow* owner)
	: ZIBEditRecordsWindow(owner), fIndex(index), fDoneButton(nullptr)
{
	BuildModifyButton();
	if (const ZIBook* book = fOwner->GetThisABook()) {
		if (const ABookRecord* record = book->getRecord(fIndex))
			PutTextInTheWindow(record);
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

// When records were deleted meanwhile and the index names none, nothing is
// stored.
void
ZIBModifyWindow::_Done()
{
	const ZIBook* book = fOwner->GetThisABook();
	if (ABookRecord* record = book != nullptr ? book->getRecord(fIndex) : nullptr)
		CollectTextFromFields(record);
	PostMessage(B_QUIT_REQUESTED);
	fOwner->RedrawList();
}
