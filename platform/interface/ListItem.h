#ifndef LIST_ITEM_H
#define LIST_ITEM_H

#include <Rect.h>
#include <SupportDefs.h>

class BFont;
class BView;

// One row of a BListView, which draws it through DrawItem(). The list does
// not own its items. Rows are flat: the outline level and expansion are
// taken and ignored.
class BListItem {
public:
	BListItem(uint32 outlineLevel = 0, bool expanded = true);
	virtual ~BListItem();

	float Height() const { return fHeight; }
	float Width() const { return fWidth; }
	void SetHeight(float height) { fHeight = height; }
	void SetWidth(float width) { fWidth = width; }
	bool IsSelected() const { return fSelected; }
	void Select() { fSelected = true; }
	void Deselect() { fSelected = false; }
	void SetEnabled(bool enabled) { fEnabled = enabled; }
	bool IsEnabled() const { return fEnabled; }

	// Draws the item in frame of owner; complete asks for the background
	// too, not only what differs from the list's colour.
	virtual void DrawItem(BView* owner, BRect frame, bool complete = false) = 0;
	// Called when the item joins a list or the list's font changes: takes
	// the owner's width and a height for one line of font.
	virtual void Update(BView* owner, const BFont* font);

private:
	float fWidth;
	float fHeight;
	bool fSelected;
	bool fEnabled;
};

#endif // LIST_ITEM_H
