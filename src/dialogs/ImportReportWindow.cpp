#include "ImportReportWindow.h"

#include <AppDefs.h>
#include <Button.h>
#include <Message.h>
#include <ScrollView.h>
#include <TextView.h>

#include "DialogConstants.h"
#include "ZIBUtils.h"

namespace {

const uint32 kMsgReportDone = 'irok';
const BRect kReportFrame(100, 100, 560, 420);

} // namespace

ImportReportWindow::ImportReportWindow(const char* report, const char* title)
	: BWindow(CenterWindowOnScreen(kReportFrame), title, B_TITLED_WINDOW, B_NOT_ZOOMABLE)
{
	BRect bounds = Bounds();
	BView* background = new BView(bounds, "ReportView", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
	background->SetViewColor(kDialogColor);
	AddChild(background);

	BRect textFrame(10, 10, bounds.right - 10 - 14, bounds.bottom - 44);
	fText = new BTextView(textFrame, "ReportText", textFrame.OffsetToCopy(0, 0).InsetByCopy(4, 4),
						  B_FOLLOW_ALL_SIDES);
	fText->SetText(report);
	fText->MakeEditable(false);
	background->AddChild(
		new BScrollView("ReportScroll", fText, B_FOLLOW_ALL_SIDES, 0, false, true));

	BButton* ok = new BButton(
		BRect(bounds.right - 90, bounds.bottom - 32, bounds.right - 10, bounds.bottom - 12),
		"OK_Button", "OK", new BMessage(kMsgReportDone), B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);
	background->AddChild(ok);
	ok->MakeDefault(true);
}

bool
ImportReportWindow::QuitRequested()
{
	return true;
}

void
ImportReportWindow::MessageReceived(BMessage* message)
{
	const char* text = nullptr;
	if (message->what == kMsgReportDone)
		PostMessage(B_QUIT_REQUESTED);
	else if (message->what == kMsgReportText && message->FindString("text", &text) == B_OK)
		fText->SetText(text);
	else
		BWindow::MessageReceived(message);
}

const char*
ImportReportWindow::Text() const
{
	return fText->Text();
}
