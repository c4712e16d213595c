#ifndef SYNC_ACCOUNT_WINDOW_H
#define SYNC_ACCOUNT_WINDOW_H

#include <Messenger.h>
#include <Window.h>

class MyEntryTextView;
class PasswordTextView;
class ZIBWindow;

// Asks for the CardDAV account of the owner's book: "Server Address",
// "User Name" and "Password". "Synchronize" sends them to the owner as
// kMsgSyncAccount and closes the dialog; "Cancel" only closes it. The
// owner quits its open dialogs before it goes. Runs on the GUI thread.
class SyncAccountWindow : public BWindow {
public:
	// The fields start with address and user; note, when not empty, says
	// why the dialog is asked again (a refused password).
	SyncAccountWindow(ZIBWindow* owner, const char* address, const char* user, const char* note);
	~SyncAccountWindow() override;

	bool QuitRequested() override;
	void MessageReceived(BMessage* message) override;

private:
	MyEntryTextView* _AddField(float top, const char* label, const char* text);
	void _Synchronize();

	ZIBWindow* fOwner;
	BMessenger fOwnerMessenger;
	BView* fDialogView;
	MyEntryTextView* fAddressView;
	MyEntryTextView* fUserView;
	PasswordTextView* fPasswordView;
};

#endif // SYNC_ACCOUNT_WINDOW_H
