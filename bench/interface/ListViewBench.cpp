#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include <Application.h>
#include <ListItem.h>
#include <ListView.h>
#include <ScrollView.h>
#include <Window.h>

#include "ViewWidget.h"

namespace {

class RowItem : public BListItem {
public:
	void DrawItem(BView* owner, BRect frame, bool) override
	{
		owner->SetHighColor(IsSelected() ? 200 : 255, 255, 255);
		owner->FillRect(frame);
		owner->SetHighColor(0, 0, 0);
		owner->DrawString("Surname, Given name", BPoint(frame.left + 4, frame.bottom - 3));
	}
};

const int kRows = 100000;

// A window with a scrolled list, as the main window has.
struct ListFixture {
	ListFixture()
		: window(new BWindow(BRect(0, 0, 599, 399), "bench", B_TITLED_WINDOW, 0)),
		  list(new BListView(BRect(0, 0, 585, 399), "list", B_MULTIPLE_SELECTION_LIST,
							 B_FOLLOW_ALL)),
		  items(kRows)
	{
		window->AddChild(new BScrollView("scroll", list, B_FOLLOW_ALL, 0, false, true));
	}
	~ListFixture() { window->Quit(); }

	BWindow* window;
	BListView* list;
	std::vector<RowItem> items;
};

// Made after Qt's own statics, so deleted before them.
BApplication*
application()
{
	static std::unique_ptr<BApplication> sApplication =
		std::make_unique<BApplication>("application/x-vnd.bench-list");
	return sApplication.get();
}

// Refilling the list of a 100,000-record book.
void
BM_RefillHundredThousandRows(benchmark::State& state)
{
	application();
	ListFixture fixture;
	for (auto _ : state) {
		fixture.list->MakeEmpty();
		for (RowItem& item : fixture.items)
			fixture.list->AddItem(&item);
	}
	state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_RefillHundredThousandRows)->Unit(benchmark::kMillisecond);

// Drawing one screen of a long list scrolled to its middle.
void
BM_DrawScreenOfLongList(benchmark::State& state)
{
	application();
	ListFixture fixture;
	for (RowItem& item : fixture.items)
		fixture.list->AddItem(&item);
	fixture.list->ScrollTo(BPoint(0, fixture.list->ItemFrame(kRows / 2).top));
	for (auto _ : state)
		benchmark::DoNotOptimize(BPrivate::ViewWidget::Of(fixture.list)->grab());
}
BENCHMARK(BM_DrawScreenOfLongList)->Unit(benchmark::kMillisecond);

} // namespace
