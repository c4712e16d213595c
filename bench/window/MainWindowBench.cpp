// The main window with a book of 100,000 records: refilling the list,
// opening a file to a painted window, repainting after a scroll, and
// starting with an empty book, undoing the delete of every record.

#include <cstdlib>
#include <filesystem>
#include <string>

#include <QApplication>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

#include <AppDefs.h>
#include <Message.h>
#include <ScrollBar.h>
#include <ScrollView.h>

#include "ABListView.h"
#include "BookGenerator.h"
#include "GuiTest.h"
#include "SaveFilePanel.h"
#include "ViewWidget.h"
#include "ZIBFiles.h"
#include "ZIBWindow.h"
#include "ZIBapp.h"
#include "ZIBook.h"

namespace {

const long kRecords = 100000;

// A private home, so the benchmarks never touch the user's settings.
const std::string&
home()
{
	static const std::string sHome = [] {
		std::string path = (std::filesystem::temp_directory_path() / "zib-window-bench").string();
		std::filesystem::create_directories(path + "/runtime");
		std::filesystem::permissions(path + "/runtime", std::filesystem::perms::owner_all);
		setenv("HOME", path.c_str(), 1);
		setenv("XDG_CONFIG_HOME", (path + "/config").c_str(), 1);
		setenv("XDG_DATA_HOME", (path + "/data").c_str(), 1);
		setenv("XDG_RUNTIME_DIR", (path + "/runtime").c_str(), 1);
		setenv("QT_QPA_PLATFORM", "offscreen", 0);
		return path;
	}();
	return sHome;
}

// The book file: written once.
const std::string&
bookFile()
{
	static const std::string sPath = [] {
		std::string path = home() + "/bench.zib";
		ZIBook book(nullptr);
		GenerateBook(&book, kRecords);
		entry_ref ref;
		get_ref_for_path(path.c_str(), &ref);
		ZIBFiles::WriteBook(&book, &ref, ZIBFrame{20, 20, 819, 619});
		return path;
	}();
	return sPath;
}

ZIBapp*
application()
{
	home();
	static ZIBapp* sApp = new ZIBapp;
	return sApp;
}

ZIBWindow*
openWindow()
{
	BMessage refs(B_REFS_RECEIVED);
	entry_ref ref;
	get_ref_for_path(bookFile().c_str(), &ref);
	refs.AddRef("refs", &ref);
	ZIBWindow* window = new ZIBWindow(BRect(20, 20, 819, 619));
	window->ZIBopen_it(&refs, 1);
	return window;
}

void
closeWindow(ZIBWindow* window)
{
	window->Lock();
	window->Quit();
	gui_test::process_events();
}

void
BM_RedrawList(benchmark::State& state)
{
	application();
	ZIBWindow* window = openWindow();
	for (auto _ : state)
		window->RedrawList();
	closeWindow(window);
}
BENCHMARK(BM_RedrawList)->Unit(benchmark::kMillisecond)->UseRealTime();

void
BM_OpenFileToPaintedWindow(benchmark::State& state)
{
	application();
	bookFile();
	for (auto _ : state) {
		ZIBWindow* window = openWindow();
		benchmark::DoNotOptimize(gui_test::render(window->GetWholeWindowView()));
		state.PauseTiming();
		closeWindow(window);
		state.ResumeTiming();
	}
}
BENCHMARK(BM_OpenFileToPaintedWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

void
BM_RepaintAfterScrolling(benchmark::State& state)
{
	application();
	ZIBWindow* window = openWindow();
	ABListView* list = window->GetABList();
	BScrollBar* bar = window->GetScrollv()->ScrollBar(B_VERTICAL);
	float page = 0;
	float max = 0;
	float min = 0;
	bar->GetRange(&min, &max);
	for (auto _ : state) {
		page += 150;
		if (page > max)
			page = 0;
		bar->SetValue(page);
		benchmark::DoNotOptimize(gui_test::render(list));
	}
	closeWindow(window);
}
BENCHMARK(BM_RepaintAfterScrolling)->Unit(benchmark::kMillisecond)->UseRealTime();

// One notch of the mouse wheel over the rows: the event, its message to the
// window, the scroll and the window's repaint.
void
BM_WheelNotchRepaint(benchmark::State& state)
{
	application();
	ZIBWindow* window = openWindow();
	ABListView* list = window->GetABList();
	QWidget* widget = BPrivate::ViewWidget::Of(list);
	BScrollBar* bar = window->GetScrollv()->ScrollBar(B_VERTICAL);
	float max = 0;
	bar->GetRange(nullptr, &max);
	QPointF where(40, 40);
	for (auto _ : state) {
		int direction = bar->Value() >= max ? 1 : -1;
		QWheelEvent event(where, widget->mapToGlobal(where), QPoint(), QPoint(0, 120 * direction),
						  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
		QApplication::sendEvent(widget, &event);
		// Delivers the message and then the repaint it asked for.
		gui_test::process_events();
	}
	closeWindow(window);
}
BENCHMARK(BM_WheelNotchRepaint)->Unit(benchmark::kMillisecond)->UseRealTime();

void
BM_NewEmptyBookToPaintedWindow(benchmark::State& state)
{
	application();
	for (auto _ : state) {
		ZIBWindow* window = new ZIBWindow(kNewBookFrame);
		window->SetThisABook(new ZIBook(window));
		window->Show();
		window->GetSaveFilePanel()->Show();
		benchmark::DoNotOptimize(gui_test::render(window->GetWholeWindowView()));
		state.PauseTiming();
		closeWindow(window);
		state.ResumeTiming();
	}
}
BENCHMARK(BM_NewEmptyBookToPaintedWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

// Select All, Clear (untimed), then Undo: the records relinked, the list
// refilled with all of them selected, the menus brought up to date.
void
BM_UndoDeleteOfAllRecords(benchmark::State& state)
{
	application();
	ZIBWindow* window = openWindow();
	for (auto _ : state) {
		state.PauseTiming();
		window->PostMessage(kMsgEditSelectAll);
		window->PostMessage(kMsgEditClear);
		gui_test::process_events();
		if (window->GetThisABook()->GetTotalRecordsInThisAB() != 0)
			state.SkipWithError("the delete did not happen");
		state.ResumeTiming();
		window->PostMessage(kMsgEditUndo);
		gui_test::process_events();
	}
	if (window->GetABList()->CurrentSelection(kRecords - 1) != kRecords - 1)
		state.SkipWithError("the undo did not select every record");
	closeWindow(window);
}
BENCHMARK(BM_UndoDeleteOfAllRecords)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
