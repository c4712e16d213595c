#ifndef ZIBFINDWINDOW_H
#define ZIBFINDWINDOW_H

#include <Messenger.h>
#include <Window.h>

#include "ZIBSearch.h"

class ABookRecord;
class BButton;
class MyEntryTextView;
class ZIBWindow;

// The Find dialog: "Search" finds the first field of the owner's book that
// holds the typed text, ignoring letter case (in every script under the
// application's language rules, otherwise in ASCII letters); "Search Again"
// (Command-G, and the owner's "Find Next") goes on after the last hit with
// the text and case rule of the last "Search". Each step reports to the
// owner, whose list selects the hit's row and whose "Find Next" follows the
// outcome. The owner quits its open dialogs before it goes, so it outlives
// the dialog. Everything runs on the GUI thread.
class ZIBFindWindow : public BWindow {
public:
	explicit ZIBFindWindow(ZIBWindow* owner);
	~ZIBFindWindow() override;

	bool QuitRequested() override;
	void MessageReceived(BMessage* message) override;

private:
	void BuildFindDialog();
	void BuildFindTextFields();
	void BuildFindButtons();
	void BuildSearchButton();
	void BuildSearchAgainButton();
	void BuildFindAllButton();
	void BuildCancelButton();
	BButton* _BuildButton(BRect frame, const char* name, const char* label, uint32 command);

	void TheSearch();
	void SearchForNext();
	// Shows the outcome of a search step: a hit enables "Search Again" and
	// tells the owner; none disables it.
	void _ShowResult(ABookRecord* hit);

	ZIBWindow* fOwner;
	BMessenger fOwnerMessenger;
	BView* fDialogView;
	MyEntryTextView* fSearchView;
	ZIBSearch fSearch;
	BButton* fCancelButton;
	BButton* fSearchButton;
	BButton* fSearchAgainButton;
	BButton* fFindAllButton;
};

#endif // ZIBFINDWINDOW_H
