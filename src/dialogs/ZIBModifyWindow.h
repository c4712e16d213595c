#ifndef ZIBMODIFYWINDOW_H
#define ZIBMODIFYWINDOW_H

#include "ZIBEditRecordsWindow.h"

// The modify dialog: shows the record at a position of the owner's book
// and, on "Done", stores the fields into whatever record stands at that
// position then, and closes.
class ZIBModifyWindow : public ZIBEditRecordsWindow {
public:
	// index: the record's position in the book's chain, which is also its
	// row in the owner's list.
	ZIBModifyWindow(long index, ZIBWindow* owner);

	void MessageReceived(BMessage* message) override;

private:
	void BuildModifyButton();
	void _Done();

	long fIndex;
	BButton* fDoneButton;
};

#endif // ZIBMODIFYWINDOW_H
