#ifndef IMPORT_REPORT_WINDOW_H
#define IMPORT_REPORT_WINDOW_H

#include <Window.h>

class BTextView;

// Shows the report of an import (what was added, cut, dropped, skipped or
// left out as a duplicate), or of a sync, in a text that can be selected and
// copied but not changed, with "OK" to close it. A kMsgReportText message
// (string "text") replaces the text, so a report can follow work in
// progress. Deletes itself when closed; runs on the GUI thread.
class ImportReportWindow : public BWindow {
public:
	explicit ImportReportWindow(const char* report, const char* title = "Import Report");

	bool QuitRequested() override;
	void MessageReceived(BMessage* message) override;

	const char* Text() const;

private:
	BTextView* fText;
};

#endif // IMPORT_REPORT_WINDOW_H
