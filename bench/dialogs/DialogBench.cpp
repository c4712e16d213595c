// "Search Again" and "Add" in the dialogs of a main window whose book holds
// 1,000 or 100,000 made-up records.

#include <stdlib.h>

#include <memory>

#include <benchmark/benchmark.h>

#include <Application.h>
#include <Button.h>
#include <Message.h>

#include "ABookRecord.h"
#include "DialogConstants.h"
#include "MyEntryTextView.h"
#include "ZIBEntryWindow.h"
#include "ZIBFindWindow.h"
#include "ZIBWindow.h"
#include "ZIBook.h"
#include "book/BookGenerator.h"

namespace {

// Made after Qt's own statics, so deleted before them.
void
StartApplication()
{
	static std::unique_ptr<BApplication> sApplication = [] {
		setenv("QT_QPA_PLATFORM", "offscreen", 0);
		return std::make_unique<BApplication>("application/x-vnd.bench-dialogs");
	}();
}

// A main window with a generated book whose first record alone holds
// "Quixotic".
struct WindowFixture {
	explicit WindowFixture(long count) : window(new ZIBWindow(BRect(20, 20, 620, 420)))
	{
		auto* book = new ZIBook(window);
		GenerateBook(book, count);
		book->GetListOfRecords()->SetField(kNicknameField, "Quixotic");
		window->SetThisABook(book);
	}
	~WindowFixture()
	{
		if (window->Lock())
			window->Quit();
	}

	ZIBWindow* window;
};

MyEntryTextView*
FirstField(BWindow* dialog)
{
	for (int32 i = 0; BView* view = dialog->ChildAt(0)->ChildAt(i); i++) {
		if (auto* field = dynamic_cast<MyEntryTextView*>(view))
			return field;
	}
	abort();
}

// "Search Again" after a hit in the first record: the step reads every
// other record and finds nothing.
void
BM_SearchAgainNoHit(benchmark::State& state)
{
	StartApplication();
	WindowFixture fixture(state.range(0));
	auto* dialog = new ZIBFindWindow(fixture.window);
	FirstField(dialog)->SetText("quixotic");
	BMessage search(kMsgFindSearch);
	BMessage again(kMsgFindAgain);
	for (auto _ : state) {
		state.PauseTiming();
		dialog->MessageReceived(&search);
		state.ResumeTiming();
		dialog->MessageReceived(&again);
	}
	if (static_cast<BButton*>(dialog->FindView("SearchAgain_Button"))->IsEnabled())
		state.SkipWithError("Search Again found something");
	state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SearchAgainNoHit)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// "Add" with every field filled: appends one record to the book.
void
BM_AddRecord(benchmark::State& state)
{
	StartApplication();
	WindowFixture fixture(state.range(0));
	auto* dialog = new ZIBEntryWindow(fixture.window);
	BMessage add(kMsgAddRecord);
	for (auto _ : state) {
		state.PauseTiming();
		for (int32 i = 0; BView* view = dialog->ChildAt(0)->ChildAt(i); i++) {
			if (auto* field = dynamic_cast<MyEntryTextView*>(view))
				field->SetText("Forty bytes of text in every field, 40 b");
		}
		state.ResumeTiming();
		dialog->MessageReceived(&add);
	}
	if (fixture.window->GetThisABook()->GetTotalRecordsInThisAB() !=
		state.range(0) + static_cast<long>(state.iterations()))
		state.SkipWithError("records were not added");
}
BENCHMARK(BM_AddRecord)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace
