#ifndef ABLISTVIEW_H
#define ABLISTVIEW_H

#include <ListView.h>
#include <Point.h>

#include <vector>

class ABookRecord;
class ZIBWindow;

// The record list of a main window: one row per record in chain order,
// multiple selection, 'mlsc' on every selection change and 'mldc' on a
// double click or Enter. It keeps the window's column titles scrolled
// sideways in step with itself, and its horizontal scroll bar reaching
// across the columns shown. The rows are owned by the list.
class ABListView : public BListView {
public:
	ABListView(BRect frame, const char* name, ZIBWindow* window);
	~ABListView() override;

	// Also scrolls the title strip sideways (never up or down).
	void ScrollTo(BPoint where) override;
	using BView::ScrollTo;
	void FrameResized(float width, float height) override;

	// The width of the columns shown, which the horizontal scroll bar
	// lets the user reach.
	void SetColumnsWidth(float width);

	// Selects the row of record alone and scrolls it into view; nothing
	// changes when no row shows record.
	void HiDideThisRecord(ABookRecord* record);

	// Selects the rows of records alone, with one selection message for
	// them all, and scrolls the first into view. O(rows).
	void SelectRecords(const std::vector<ABookRecord*>& records);

	// Removes and deletes every row.
	void DeleteAllRows();

	ZIBWindow* GetLWindow() const { return fWindow; }
	void SetLWindow(ZIBWindow* window) { fWindow = window; }
	BPoint GetTitleWhere() const { return fTitleWhere; }
	void SetTitleWhere(BPoint where) { fTitleWhere = where; }

private:
	void _UpdateHorizontalBar();

	ZIBWindow* fWindow;
	BPoint fTitleWhere;
	float fColumnsWidth;
};

#endif // ABLISTVIEW_H
