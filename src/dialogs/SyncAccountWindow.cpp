#include "SyncAccountWindow.h"

#include <AppDefs.h>
#include <Button.h>
#include <Message.h>
#include <StringView.h>

#include "DialogConstants.h"
#include "MyEntryTextView.h"
#include "PasswordTextView.h"
#include "WindowConstants.h"
#include "ZIBWindow.h"

namespace {

const BRect kAccountFrame(140, 140, 560, 320);
const BRect kTextRect(5, 5, 276, 22);
const float kFieldLeft = 120;
const float kFieldRight = 400;
// Server addresses are longer than a record's fields.
const int32 kAddressLimit = 1024;

} // namespace

SyncAccountWindow::SyncAccountWindow(ZIBWindow* owner, const char* address, const char* user,
									 const char* note)
	: BWindow(kAccountFrame, "Synchronize", B_DOCUMENT_WINDOW, B_NOT_ZOOMABLE | B_NOT_RESIZABLE),
	  fOwner(owner), fOwnerMessenger(owner),
	  fDialogView(
		  new BView(Bounds(), "SyncDialogView", B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_NAVIGABLE_JUMP))
{
	fOwner->AddDialog(this);
	AddChild(fDialogView);
	fDialogView->SetViewColor(kDialogColor);
	fAddressView = _AddField(20, "Server Address", address);
	fAddressView->SetTypingLimit(kAddressLimit);
	fUserView = _AddField(50, "User Name", user);
	fDialogView->AddChild(new BStringView(BRect(20, 84, kFieldLeft - 5, 99), "Password_Label",
										  "Password", B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW));
	fPasswordView =
		new PasswordTextView(BRect(kFieldLeft, 80, kFieldRight, 104), "Password", kTextRect);
	fDialogView->AddChild(fPasswordView);
	if (note != nullptr && note[0] != '\0')
		fDialogView->AddChild(new BStringView(BRect(20, 112, 400, 127), "Note", note,
											  B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW));
	auto* go = new BButton(BRect(220, 140, 310, 160), "Synchronize_Button", "Synchronize",
						   new BMessage(kMsgSyncGo), B_FOLLOW_LEFT | B_FOLLOW_TOP,
						   B_WILL_DRAW | B_NAVIGABLE);
	fDialogView->AddChild(go);
	go->MakeDefault(true);
	fDialogView->AddChild(new BButton(BRect(325, 140, 400, 160), "Cancel_Button", "Cancel",
									  new BMessage(kMsgSyncCancel), B_FOLLOW_LEFT | B_FOLLOW_TOP,
									  B_WILL_DRAW | B_NAVIGABLE));
	// The first empty field has the focus.
	if (fAddressView->TextLength() == 0)
		fAddressView->MakeFocus(true);
	else if (fUserView->TextLength() == 0)
		fUserView->MakeFocus(true);
	else
		fPasswordView->MakeFocus(true);
}

SyncAccountWindow::~SyncAccountWindow()
{
	fOwner->RemoveDialog(this);
}

bool
SyncAccountWindow::QuitRequested()
{
	return true;
}

void
SyncAccountWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgSyncGo:
			_Synchronize();
			break;
		case kMsgSyncCancel:
			PostMessage(B_QUIT_REQUESTED);
			break;
		default:
			BWindow::MessageReceived(message);
			break;
	}
}

MyEntryTextView*
SyncAccountWindow::_AddField(float top, const char* label, const char* text)
{
	fDialogView->AddChild(new BStringView(BRect(20, top + 4, kFieldLeft - 5, top + 19), "", label,
										  B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW));
	auto* field =
		new MyEntryTextView(BRect(kFieldLeft, top, kFieldRight, top + 24), label, kTextRect,
							B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | B_NAVIGABLE);
	fDialogView->AddChild(field);
	field->SetWordWrap(false);
	field->SetText(text != nullptr ? text : "");
	return field;
}

// An address is needed; the user name and password may stay empty for a
// server that asks for none.
void
SyncAccountWindow::_Synchronize()
{
	if (fAddressView->TextLength() == 0) {
		fAddressView->MakeFocus(true);
		return;
	}
	BMessage account(kMsgSyncAccount);
	account.AddString("url", fAddressView->Text());
	account.AddString("user", fUserView->Text());
	account.AddString("password", fPasswordView->Password().c_str());
	fOwnerMessenger.SendMessage(&account);
	PostMessage(B_QUIT_REQUESTED);
}
