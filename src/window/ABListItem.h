#ifndef ABLISTITEM_H
#define ABLISTITEM_H

#include <ListItem.h>

class ABookRecord;
class ZIBWindow;

// One row of the record list: the record's fields whose View-menu items are
// marked, 80 pixels apart, on a background that is light green on odd rows.
class ABListItem : public BListItem {
public:
	// row is the row's position in the list, which decides its background.
	ABListItem(ABookRecord* record, ZIBWindow* window, int32 row);
	~ABListItem() override;

	void DrawItem(BView* owner, BRect frame, bool complete = false) override;

	ABookRecord* aRecord() const { return fRecord; }
	ZIBWindow* GetLWindow() const { return fWindow; }
	void SetLWindow(ZIBWindow* window) { fWindow = window; }

private:
	ZIBWindow* fWindow;
	ABookRecord* fRecord;
	int32 fRow;
};

#endif // ABLISTITEM_H
