#ifndef LIST_VIEW_H
#define LIST_VIEW_H

#include <Invoker.h>
#include <View.h>

#include <memory>
#include <vector>

class BList;
class BListItem;

enum list_view_type { B_SINGLE_SELECTION_LIST, B_MULTIPLE_SELECTION_LIST };

// A scrolling list of items, one row each. It draws only the rows inside
// the update rectangle and keeps the scroll bar that targets it in step
// with the rows. Items are not owned.
//
// Selection: a click selects one row, Shift-click a range from the last
// click, Command-click (Ctrl) toggles one row in a multiple-selection list;
// up, down, Page Up, Page Down, Home and End move it, with Shift extending
// it from the last click. Each change sends the selection message. A notch
// of the mouse wheel scrolls three rows. The list sets the steps of its
// vertical bar to its rows until someone else sets them.
// A double click or Enter invokes the invocation message. Both carry
// "when", "source" and one int32 "index" per selected row.
class BListView : public BView, public BInvoker {
public:
	BListView(BRect frame, const char* name, list_view_type type = B_SINGLE_SELECTION_LIST,
			  uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
			  uint32 flags = B_WILL_DRAW | B_FRAME_EVENTS | B_NAVIGABLE);
	~BListView() override;

	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;
	void MouseDown(BPoint where) override;
	void KeyDown(const char* bytes, int32 numBytes) override;
	void FrameResized(float newWidth, float newHeight) override;
	// Also gives every item the new font's height.
	void SetFont(const BFont* font) override;
	virtual void SelectionChanged();

	bool AddItem(BListItem* item);
	bool AddItem(BListItem* item, int32 index);
	// Adds many at once, with one layout and one repaint.
	bool AddList(BList* items);
	bool RemoveItem(BListItem* item);
	BListItem* RemoveItem(int32 index);
	void MakeEmpty();
	int32 CountItems() const { return static_cast<int32>(fItems.size()); }
	BListItem* ItemAt(int32 index) const;
	int32 IndexOf(const BListItem* item) const;
	// The row at point, or -1.
	int32 IndexOf(BPoint point) const;
	bool IsEmpty() const { return fItems.empty(); }

	void Select(int32 index, bool extend = false);
	void Select(int32 from, int32 to, bool extend = false);
	void Deselect(int32 index);
	void DeselectAll();
	bool IsItemSelected(int32 index) const;
	// The index-th selected row from the top, or -1.
	int32 CurrentSelection(int32 index = 0) const;

	void ScrollToSelection();
	void InvalidateItem(int32 index);
	BRect ItemFrame(int32 index) const;

	// Adopt message.
	void SetSelectionMessage(BMessage* message);
	void SetInvocationMessage(BMessage* message) { SetMessage(message); }

	status_t Invoke(BMessage* message = nullptr) override;

protected:
	float WheelStep(orientation direction) const override;
	const void* _Source() const override { return static_cast<const BListView*>(this); }

private:
	bool _SelectRange(int32 from, int32 to, bool extend);
	bool _SetSelected(int32 index, bool selected);
	void _Changed(bool changed);
	void _Prepare(BListItem* item);
	void _InvalidateLayout(int32 from);
	void _Layout() const;
	void _UpdateScrollBar();
	void _MoveSelection(int32 index);
	void _ScrollToRow(int32 index);
	float _RowHeight() const;
	status_t _SendWithIndices(BMessage* message);

	std::vector<BListItem*> fItems;
	// fTops[i] is the top of row i, fTops[n] the height of all rows; valid
	// up to fValidTops entries.
	mutable std::vector<float> fTops;
	mutable size_t fValidTops;
	std::unique_ptr<BMessage> fSelectionMessage;
	BFont fItemFont; // the view's font, measured once for all items
	list_view_type fType;
	int32 fAnchor;
	int32 fLastSelected;
	// The steps the list gave its vertical bar last; once the bar has
	// others, they were set on purpose and stay.
	float fSmallStep;
	float fLargeStep;
};

#endif // LIST_VIEW_H
