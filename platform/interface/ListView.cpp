#include "ListView.h"

#include <algorithm>
#include <cmath>

#include <List.h>
#include <ListItem.h>
#include <Looper.h>
#include <Message.h>
#include <ScrollBar.h>
#include <Window.h>

namespace {

float
row_height(const BListItem* item)
{
	return std::max(1.0f, std::ceil(item->Height()));
}

} // namespace

BListView::BListView(BRect frame, const char* name, list_view_type type, uint32 resizingMode,
					 uint32 flags)
	: BView(frame, name, resizingMode, flags), fTops(1, 0.0f), fValidTops(1), fType(type),
	  fAnchor(-1), fLastSelected(-1), fSmallStep(-1), fLargeStep(-1)
{
}

BListView::~BListView() = default;

void
BListView::AttachedToWindow()
{
	if (!Messenger().IsValid())
		SetTarget(Window());
	SetFont(&fItemFont);
	BView::AttachedToWindow();
}

void
BListView::Draw(BRect updateRect)
{
	_Layout();
	auto first = std::upper_bound(fTops.begin(), fTops.end() - 1, updateRect.top);
	size_t index = first == fTops.begin() ? 0 : static_cast<size_t>(first - fTops.begin() - 1);
	for (; index < fItems.size() && fTops[index] <= updateRect.bottom; index++)
		fItems[index]->DrawItem(this, ItemFrame(static_cast<int32>(index)), true);
}

void
BListView::MouseDown(BPoint where)
{
	MakeFocus(true);
	int32 index = IndexOf(where);
	if (index < 0)
		return;
	BMessage* current = Window() != nullptr ? Window()->CurrentMessage() : nullptr;
	int32 modifiers = 0;
	int32 clicks = 1;
	if (current != nullptr) {
		current->FindInt32("modifiers", &modifiers);
		current->FindInt32("clicks", &clicks);
	}
	if (clicks >= 2 && IsItemSelected(index)) {
		Invoke();
		return;
	}
	bool multiple = fType == B_MULTIPLE_SELECTION_LIST;
	if (multiple && (modifiers & B_SHIFT_KEY) != 0 && fAnchor >= 0) {
		_Changed(_SelectRange(std::min(fAnchor, index), std::max(fAnchor, index), false));
		fLastSelected = index;
	} else if (multiple && (modifiers & B_COMMAND_KEY) != 0) {
		fAnchor = index;
		_Changed(_SetSelected(index, !IsItemSelected(index)));
	} else {
		fAnchor = index;
		Select(index);
	}
}

void
BListView::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes != 1 || fItems.empty()) {
		BView::KeyDown(bytes, numBytes);
		return;
	}
	int32 last = CountItems() - 1;
	int32 current = fLastSelected >= 0 ? fLastSelected : CurrentSelection();
	// Rows a page holds, at the height of the first row.
	int32 page = std::max(1, static_cast<int32>((Bounds().Height() + 1) / _RowHeight()) - 1);
	switch (bytes[0]) {
		case B_UP_ARROW:
			_MoveSelection(current < 0 ? last : std::max(0, current - 1));
			break;
		case B_DOWN_ARROW:
			_MoveSelection(current < 0 ? 0 : std::min(last, current + 1));
			break;
		case B_PAGE_UP:
			_MoveSelection(std::max(0, current - page));
			break;
		case B_PAGE_DOWN:
			_MoveSelection(std::min(last, current < 0 ? page : current + page));
			break;
		case B_HOME:
			_MoveSelection(0);
			break;
		case B_END:
			_MoveSelection(last);
			break;
		case B_ENTER:
			Invoke();
			break;
		default:
			BView::KeyDown(bytes, numBytes);
			break;
	}
}

void
BListView::FrameResized(float, float)
{
	_UpdateScrollBar();
}

void
BListView::SetFont(const BFont* font)
{
	BView::SetFont(font);
	GetFont(&fItemFont);
	if (Window() == nullptr)
		return;
	for (BListItem* item : fItems)
		item->Update(this, &fItemFont);
	_InvalidateLayout(0);
	_UpdateScrollBar();
	Invalidate();
}

void
BListView::SelectionChanged()
{
}

bool
BListView::AddItem(BListItem* item)
{
	return AddItem(item, CountItems());
}

bool
BListView::AddItem(BListItem* item, int32 index)
{
	if (item == nullptr || index < 0 || index > CountItems())
		return false;
	_Prepare(item);
	fItems.insert(fItems.begin() + index, item);
	if (static_cast<size_t>(index) + 1 == fItems.size() && fValidTops == fItems.size() &&
		fTops.size() == fItems.size()) {
		// Appending: one more row, no layout pass.
		fTops.push_back(fTops.back() + row_height(item));
		fValidTops++;
	} else {
		_InvalidateLayout(index);
	}
	for (int32* mark : {&fAnchor, &fLastSelected}) {
		if (*mark >= index)
			(*mark)++;
	}
	_UpdateScrollBar();
	// Rows below the visible ones need no drawing yet.
	if (fValidTops <= static_cast<size_t>(index) || fTops[index] <= Bounds().bottom)
		Invalidate();
	return true;
}

bool
BListView::AddList(BList* items)
{
	if (items == nullptr)
		return false;
	size_t start = fItems.size();
	for (int32 i = 0; i < items->CountItems(); i++) {
		auto* item = static_cast<BListItem*>(items->ItemAt(i));
		if (item == nullptr)
			continue;
		_Prepare(item);
		fItems.push_back(item);
	}
	_InvalidateLayout(static_cast<int32>(start));
	_UpdateScrollBar();
	Invalidate();
	return true;
}

bool
BListView::RemoveItem(BListItem* item)
{
	return RemoveItem(IndexOf(item)) != nullptr;
}

BListItem*
BListView::RemoveItem(int32 index)
{
	BListItem* item = ItemAt(index);
	if (item == nullptr)
		return nullptr;
	bool wasSelected = item->IsSelected();
	item->Deselect();
	fItems.erase(fItems.begin() + index);
	for (int32* mark : {&fAnchor, &fLastSelected}) {
		if (*mark == index)
			*mark = -1;
		else if (*mark > index)
			(*mark)--;
	}
	_InvalidateLayout(index);
	_UpdateScrollBar();
	Invalidate();
	_Changed(wasSelected);
	return item;
}

void
BListView::MakeEmpty()
{
	bool hadSelection = CurrentSelection() >= 0;
	for (BListItem* item : fItems)
		item->Deselect();
	fItems.clear();
	fAnchor = fLastSelected = -1;
	_InvalidateLayout(0);
	ScrollTo(B_ORIGIN);
	_UpdateScrollBar();
	Invalidate();
	_Changed(hadSelection);
}

BListItem*
BListView::ItemAt(int32 index) const
{
	if (index < 0 || index >= CountItems())
		return nullptr;
	return fItems[index];
}

int32
BListView::IndexOf(const BListItem* item) const
{
	auto found = std::find(fItems.begin(), fItems.end(), item);
	return found != fItems.end() ? static_cast<int32>(found - fItems.begin()) : -1;
}

int32
BListView::IndexOf(BPoint point) const
{
	_Layout();
	if (point.y < 0 || point.y >= fTops.back())
		return -1;
	auto row = std::upper_bound(fTops.begin(), fTops.end(), point.y);
	return static_cast<int32>(row - fTops.begin()) - 1;
}

void
BListView::Select(int32 index, bool extend)
{
	if (index < 0 || index >= CountItems())
		return;
	fAnchor = index;
	_Changed(_SelectRange(index, index, extend));
}

void
BListView::Select(int32 from, int32 to, bool extend)
{
	if (from > to || from < 0 || to >= CountItems())
		return;
	if (fType == B_SINGLE_SELECTION_LIST)
		from = to;
	fAnchor = from;
	_Changed(_SelectRange(from, to, extend));
}

void
BListView::Deselect(int32 index)
{
	_Changed(_SetSelected(index, false));
}

void
BListView::DeselectAll()
{
	bool changed = false;
	for (int32 index = 0; index < CountItems(); index++)
		changed |= _SetSelected(index, false);
	_Changed(changed);
}

bool
BListView::IsItemSelected(int32 index) const
{
	BListItem* item = ItemAt(index);
	return item != nullptr && item->IsSelected();
}

int32
BListView::CurrentSelection(int32 index) const
{
	if (index < 0)
		return -1;
	for (size_t i = 0; i < fItems.size(); i++) {
		if (fItems[i]->IsSelected() && index-- == 0)
			return static_cast<int32>(i);
	}
	return -1;
}

void
BListView::ScrollToSelection()
{
	_ScrollToRow(CurrentSelection());
}

void
BListView::_ScrollToRow(int32 index)
{
	if (index < 0)
		return;
	BRect frame = ItemFrame(index);
	BRect bounds = Bounds();
	if (frame.top < bounds.top)
		ScrollTo(BPoint(bounds.left, frame.top));
	else if (frame.bottom > bounds.bottom)
		ScrollTo(BPoint(bounds.left, frame.bottom - bounds.Height()));
}

void
BListView::InvalidateItem(int32 index)
{
	if (ItemAt(index) != nullptr)
		Invalidate(ItemFrame(index));
}

BRect
BListView::ItemFrame(int32 index) const
{
	if (index < 0 || index >= CountItems())
		return BRect();
	_Layout();
	// From the list's left edge, so that rows move when it scrolls sideways.
	return BRect(0, fTops[index], Bounds().right, fTops[index + 1] - 1);
}

void
BListView::SetSelectionMessage(BMessage* message)
{
	fSelectionMessage.reset(message);
}

status_t
BListView::Invoke(BMessage* message)
{
	if (message == nullptr)
		message = Message();
	if (message == nullptr)
		return B_BAD_VALUE;
	return _SendWithIndices(message);
}

bool
BListView::_SelectRange(int32 from, int32 to, bool extend)
{
	bool changed = false;
	if (!extend || fType == B_SINGLE_SELECTION_LIST) {
		for (int32 index = 0; index < CountItems(); index++) {
			if (index < from || index > to)
				changed |= _SetSelected(index, false);
		}
	}
	for (int32 index = from; index <= to; index++)
		changed |= _SetSelected(index, true);
	fLastSelected = to;
	return changed;
}

bool
BListView::_SetSelected(int32 index, bool selected)
{
	BListItem* item = ItemAt(index);
	if (item == nullptr || item->IsSelected() == selected)
		return false;
	if (selected)
		item->Select();
	else
		item->Deselect();
	InvalidateItem(index);
	return true;
}

void
BListView::_Changed(bool changed)
{
	if (!changed)
		return;
	SelectionChanged();
	if (fSelectionMessage != nullptr)
		_SendWithIndices(fSelectionMessage.get());
}

void
BListView::_Prepare(BListItem* item)
{
	if (Window() != nullptr)
		item->Update(this, &fItemFont);
}

void
BListView::_InvalidateLayout(int32 from)
{
	fValidTops = std::min(fValidTops, static_cast<size_t>(std::max(from, 0)) + 1);
}

void
BListView::_Layout() const
{
	fTops.resize(fItems.size() + 1);
	for (size_t i = fValidTops; i <= fItems.size(); i++)
		fTops[i] = fTops[i - 1] + row_height(fItems[i - 1]);
	fValidTops = fTops.size();
}

void
BListView::_UpdateScrollBar()
{
	BScrollBar* bar = ScrollBar(B_VERTICAL);
	if (bar == nullptr)
		return;
	_Layout();
	float visible = Bounds().Height() + 1;
	float total = fTops.back();
	bar->SetRange(0, std::max(0.0f, total - visible));
	bar->SetProportion(total > 0 ? std::min(1.0f, visible / total) : 1.0f);
	float smallStep;
	float largeStep;
	bar->GetSteps(&smallStep, &largeStep);
	if (fSmallStep >= 0 && (smallStep != fSmallStep || largeStep != fLargeStep))
		return;
	fSmallStep = _RowHeight();
	fLargeStep = std::max(fSmallStep, visible - fSmallStep);
	bar->SetSteps(fSmallStep, fLargeStep);
}

float
BListView::WheelStep(orientation direction) const
{
	return direction == B_VERTICAL ? 3 * _RowHeight() : BView::WheelStep(direction);
}

float
BListView::_RowHeight() const
{
	return fItems.empty() ? 1.0f : row_height(fItems.front());
}

// Shift extends the selection from the last click (or key without Shift)
// to index in a multiple-selection list.
void
BListView::_MoveSelection(int32 index)
{
	BMessage* current = Window() != nullptr ? Window()->CurrentMessage() : nullptr;
	int32 modifiers = current != nullptr ? current->GetInt32("modifiers", 0) : 0;
	if (fType == B_MULTIPLE_SELECTION_LIST && (modifiers & B_SHIFT_KEY) != 0 && fAnchor >= 0) {
		_Changed(_SelectRange(std::min(fAnchor, index), std::max(fAnchor, index), false));
		fLastSelected = index;
	} else {
		Select(index);
	}
	_ScrollToRow(index);
}

status_t
BListView::_SendWithIndices(BMessage* message)
{
	BMessage copy(*message);
	// One pass: CurrentSelection(i) would scan from the top for each i.
	for (size_t index = 0; index < fItems.size(); index++) {
		if (fItems[index]->IsSelected())
			copy.AddInt32("index", static_cast<int32>(index));
	}
	return _Send(&copy);
}
