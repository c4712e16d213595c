#include "ZIBInfoWindow.h"

#include <AppDefs.h>
#include <Button.h>
#include <Message.h>

#include "BrowserLauncher.h"
#include "DialogConstants.h"
#include "MyEntryTextView.h"
#include "ZIBUtils.h"

static const BRect kInfoFrame(120, 120, 400, 325);

ZIBInfoWindow::ZIBInfoWindow()
	: BWindow(CenterWindowOnScreen(kInfoFrame), "About Larimo Address Book DIDE", B_MODAL_WINDOW,
			  B_NOT_ZOOMABLE | B_NOT_RESIZABLE),
	  fDialogView(nullptr), fCancelButton(nullptr), fWebButton(nullptr)
{
	BuildAboutDialog();
}

bool
ZIBInfoWindow::QuitRequested()
{
	return true;
}

void
ZIBInfoWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgInfoWebPage:
			// A browser that cannot be started is not reported.
			BrowserLauncher::GoToWebPage(message);
			PostMessage(B_QUIT_REQUESTED);
			break;
		case kMsgInfoCancel:
			PostMessage(B_QUIT_REQUESTED);
			break;
		default:
			BWindow::MessageReceived(message);
			break;
	}
}

void
ZIBInfoWindow::BuildAboutDialog()
{
	fDialogView = new BView(Bounds(), "FindDialogView", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
	AddChild(fDialogView);
	fDialogView->SetViewColor(kDialogColor);
	BuildCancelButton();
}

void
ZIBInfoWindow::BuildCancelButton()
{
	BRect bounds = Bounds();
	float middle = bounds.right / 2;
	fCancelButton =
		new BButton(BRect(middle + 19, bounds.bottom - 32, middle + 82, bounds.bottom - 16),
					"Cancel_Button", "Cancel", new BMessage(kMsgInfoCancel),
					B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | B_NAVIGABLE);
	fDialogView->AddChild(fCancelButton);
}

void
ZIBInfoWindow::BuildWebButton(BMessage* message, const char* label)
{
	BRect bounds = Bounds();
	float middle = bounds.right / 2;
	fWebButton = new BButton(
		BRect(middle - 81, bounds.bottom - 32, middle - 18, bounds.bottom - 16), "Web_Button",
		label, message, B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | B_NAVIGABLE);
	fDialogView->AddChild(fWebButton);
	fWebButton->MakeDefault(true);
}

void
ZIBInfoWindow::BuildInfoText(const char* text, float bottomInset)
{
	BRect frame = Bounds();
	frame.left += 10;
	frame.top += 10;
	frame.right -= 10;
	frame.bottom -= bottomInset;
	auto* view = new MyEntryTextView(frame, "AboutTextView", frame, B_FOLLOW_ALL_SIDES,
									 B_WILL_DRAW | B_FRAME_EVENTS);
	fDialogView->AddChild(view);
	view->SetText(text);
	view->MakeSelectable(false);
	// Read-only as well: the note is the program's, not the user's.
	view->MakeEditable(false);
}
