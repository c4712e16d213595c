#include "ScreenshotApp.h"

#include <stdio.h>

#include <AppDefs.h>
#include <Message.h>
#include <Window.h>
#include <WindowGrab.h>

#include <ErrnoStatus.h>

static const uint32 kMsgGrab = 'shGr';
// Each pass lets the event loop run the layout and paint events that
// showing the window queued, before the picture is taken.
static const int32 kSettlePasses = 5;

ScreenshotApp::ScreenshotApp(const char* outputPath)
	: fOutputPath(outputPath), fPassesLeft(kSettlePasses), fStatus(B_ERROR)
{
}

void
ScreenshotApp::ReadyToRun()
{
	ZIBapp::ReadyToRun();
	PostMessage(kMsgGrab);
}

void
ScreenshotApp::MessageReceived(BMessage* message)
{
	if (message->what != kMsgGrab) {
		ZIBapp::MessageReceived(message);
		return;
	}
	if (--fPassesLeft > 0) {
		PostMessage(kMsgGrab);
		return;
	}
	_Grab();
	PostMessage(B_QUIT_REQUESTED);
}

void
ScreenshotApp::_Grab()
{
	BWindow* window = WindowAt(0);
	if (window == nullptr || !window->Lock()) {
		fprintf(stderr, "zib-screenshot: no window opened\n");
		fStatus = B_ERROR;
		return;
	}
	fStatus = BPrivate::grab_window(window, fOutputPath.c_str());
	window->Unlock();
	if (fStatus != B_OK) {
		fprintf(stderr, "zib-screenshot: cannot write %s (%s)\n", fOutputPath.c_str(),
				BPrivate::status_text(fStatus));
	}
}
