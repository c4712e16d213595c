#ifndef ZIBENTRYWINDOW_H
#define ZIBENTRYWINDOW_H

#include "ZIBEditRecordsWindow.h"

// The new-record dialog: each "Add" appends a record made of the fields to
// the end of the owner's book and empties the fields for the next one. It
// stays open until "Cancel" or its close box.
class ZIBEntryWindow : public ZIBEditRecordsWindow {
public:
	explicit ZIBEntryWindow(ZIBWindow* owner);

	void MessageReceived(BMessage* message) override;

private:
	void BuildAddButton();
	void _AddRecord();

	BButton* fAddButton;
};

#endif // ZIBENTRYWINDOW_H
