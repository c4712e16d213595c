#include "ABListView.h"

#include <algorithm>
#include <unordered_set>

#include <Message.h>
#include <ScrollBar.h>
#include <Window.h>

#include "ABListItem.h"
#include "ZIBWindow.h"

ABListView::ABListView(BRect frame, const char* name, ZIBWindow* window)
	: BListView(frame, name, B_MULTIPLE_SELECTION_LIST, B_FOLLOW_ALL_SIDES,
				B_WILL_DRAW | B_FRAME_EVENTS | B_NAVIGABLE),
	  fWindow(window), fTitleWhere(0, 0), fColumnsWidth(0)
{
	SetSelectionMessage(new BMessage(kMsgListSelection));
	SetInvocationMessage(new BMessage(kMsgListInvoke));
}

ABListView::~ABListView()
{
	DeleteAllRows();
}

void
ABListView::ScrollTo(BPoint where)
{
	fTitleWhere = BPoint(where.x, 0);
	if (fWindow != nullptr && fWindow->GetTitleButtonView() != nullptr)
		fWindow->GetTitleButtonView()->ScrollTo(fTitleWhere);
	BListView::ScrollTo(where);
}

void
ABListView::FrameResized(float width, float height)
{
	BListView::FrameResized(width, height);
	_UpdateHorizontalBar();
}

void
ABListView::SetColumnsWidth(float width)
{
	fColumnsWidth = width;
	_UpdateHorizontalBar();
}

void
ABListView::_UpdateHorizontalBar()
{
	BScrollBar* bar = ScrollBar(B_HORIZONTAL);
	if (bar == nullptr)
		return;
	float visible = Bounds().Width() + 1;
	bar->SetRange(0, std::max(0.0f, fColumnsWidth - visible));
	bar->SetProportion(fColumnsWidth > 0 ? std::min(1.0f, visible / fColumnsWidth) : 1.0f);
}

void
ABListView::HiDideThisRecord(ABookRecord* record)
{
	BWindow* window = Window();
	if (window != nullptr && !window->Lock())
		return;
	for (int32 i = 0; i < CountItems(); i++) {
		if (static_cast<ABListItem*>(ItemAt(i))->aRecord() == record) {
			Select(i, false);
			ScrollToSelection();
			break;
		}
	}
	if (window != nullptr)
		window->Unlock();
}

void
ABListView::SelectRecords(const std::vector<ABookRecord*>& records)
{
	// One message, not one per run of rows: each makes the window scan the
	// selection.
	SetSelectionMessage(nullptr);
	DeselectAll();
	int32 count = CountItems();
	if (!records.empty() && static_cast<size_t>(count) == records.size()) {
		Select(0, count - 1, false);
	} else if (!records.empty()) {
		std::unordered_set<const ABookRecord*> wanted(records.begin(), records.end());
		for (int32 row = 0; row < count;) {
			if (wanted.count(static_cast<ABListItem*>(ItemAt(row))->aRecord()) == 0) {
				row++;
				continue;
			}
			int32 end = row;
			while (end + 1 < count &&
				   wanted.count(static_cast<ABListItem*>(ItemAt(end + 1))->aRecord()) != 0)
				end++;
			Select(row, end, true);
			row = end + 1;
		}
	}
	SetSelectionMessage(new BMessage(kMsgListSelection));
	ScrollToSelection();
	if (Window() != nullptr)
		Window()->PostMessage(kMsgListSelection);
}

void
ABListView::DeleteAllRows()
{
	std::vector<BListItem*> rows;
	rows.reserve(CountItems());
	for (int32 i = 0; i < CountItems(); i++)
		rows.push_back(ItemAt(i));
	MakeEmpty();
	for (BListItem* row : rows)
		delete row;
}
