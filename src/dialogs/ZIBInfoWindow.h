#ifndef ZIBINFOWINDOW_H
#define ZIBINFOWINDOW_H

#include <Window.h>

class BButton;
class MyEntryTextView;

// The common part of the About and support windows: a modal window with a
// block of text that cannot be selected or changed, "Web Page", which opens
// a web page in the browser and closes the window, and "Cancel". Runs on
// the GUI thread.
class ZIBInfoWindow : public BWindow {
public:
	ZIBInfoWindow();

	bool QuitRequested() override;
	void MessageReceived(BMessage* message) override;

protected:
	void BuildAboutDialog();
	void BuildCancelButton();
	// The default button; adopts message ('awwb' with the "URL" to open).
	void BuildWebButton(BMessage* message, const char* label);
	// The text, inset from the window's edges by 10 and at the bottom by
	// bottomInset.
	void BuildInfoText(const char* text, float bottomInset);

	BView* fDialogView;
	BButton* fCancelButton;
	BButton* fWebButton;
};

#endif // ZIBINFOWINDOW_H
