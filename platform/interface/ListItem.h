#ifndef LIST_ITEM_H
#define LIST_ITEM_H

#include <Rect.h>
#include <SupportDefs.h>

class BFont;
class BView;

// One row of a BListView, which draws it through DrawItem(). The list does
// not own its items.
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
	void SetExpanded(bool expanded) { fExpanded = expanded; }
	bool IsExpanded() const { return fExpanded; }
	uint32 OutlineLevel() const { return fLevel; }

	// Draws the item in frame of owner; complete asks for the background
	// too, not only what differs from the list's colour.
	virtual void DrawItem(BView* owner, BRect frame, bool complete = false) = 0;
	// Called when the item joins a list or the list's font changes: takes
	// the owner's width and a height for one line of font.
	virtual void Update(BView* owner, const BFont* font);

private:
	float fWidth;
	float fHeight;
	uint32 fLevel;
	bool fSelected;
	bool fEnabled;
	bool fExpanded;
};

#endif // LIST_ITEM_H
