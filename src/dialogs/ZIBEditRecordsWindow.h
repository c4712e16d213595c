#ifndef ZIBEDITRECORDSWINDOW_H
#define ZIBEDITRECORDSWINDOW_H

#include <Messenger.h>
#include <Window.h>

#include "BookConstants.h"

class ABookRecord;
class BButton;
class MyEntryTextView;
class ZIBWindow;

// The common part of the record dialogs: a labelled field for each of the
// 21 record fields in field order, and "Cancel", which closes the dialog and
// redraws the owner's list. The owner, the main window whose book the
// dialog edits, quits its open dialogs before it goes, so it outlives the
// dialog; the dialog reads the owner's book and tells the owner of changes
// by messages. Everything runs on the GUI thread.
class ZIBEditRecordsWindow : public BWindow {
public:
	explicit ZIBEditRecordsWindow(ZIBWindow* owner);
	~ZIBEditRecordsWindow() override;

	bool QuitRequested() override;
	void MessageReceived(BMessage* message) override;

protected:
	void BuildEntryDialog();
	void BuildTextFields();
	void BuildOneTextField(BPoint where, const char* name, int field);
	void BuildEntryButtons();
	void BuildCancelButton();
	// A button at the place of "Add" and "Done" that becomes the default.
	BButton* BuildDefaultButton(const char* name, const char* label, uint32 command);

	void ClearTextFields();
	// Stores the fields' text into record, each field at most 40 bytes and
	// cut before a tab, marks the owner's book changed and tells the owner
	// which record was added (added) or changed, and how it was before.
	void CollectTextFromFields(ABookRecord* record, bool added);
	// Shows record's fields, each selected whole.
	void PutTextInTheWindow(const ABookRecord* record);

	MyEntryTextView* fFields[kFieldCount];
	BView* fDialogView;
	ZIBWindow* fOwner;
	BMessenger fOwnerMessenger;
	BButton* fCancelButton;
};

#endif // ZIBEDITRECORDSWINDOW_H
