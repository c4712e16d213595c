#ifndef ZIBMODIFYWINDOW_H
#define ZIBMODIFYWINDOW_H

#include <cstdint>

#include "ZIBEditRecordsWindow.h"

// The modify dialog: shows the record at a position of the owner's book
// and, on "Done", stores the fields into that record, wherever the book's
// changes have moved it meanwhile, and closes.
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
	uint64_t fSerial; // of the record shown; 0 when there is none
	BButton* fDoneButton;
};

#endif // ZIBMODIFYWINDOW_H
