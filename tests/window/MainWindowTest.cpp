#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include <Alert.h>
#include <AppDefs.h>
#include <FilePanel.h>
#include <Message.h>
#include <Node.h>

#include "ABListView.h"
#include "AppHarness.h"
#include "GuiTest.h"
#include "SaveFilePanel.h"
#include "ZIBWindow.h"
#include "ZIBapp.h"
#include "ABookRecord.h"
#include "ZIBook.h"

namespace {

class MainWindow : public AppTest {
protected:
	void SetUp() override
	{
		AppTest::SetUp();
		fPath = PathOf("book.zib");
		// Nickname, first name, ..., email 1 (15), web address (17).
		WriteBookFile(fPath,
					  {"n0\tAnna\t\tZed\t\t\t\t\tOslo", "n1\tBen\t\tYork\t\t\t\t\tBergen",
					   "n2\tCleo\t\tXu\t\t\t\t\taalborg\t\t\t\t\t\t\tc@x.org\t\tab",
					   "n3\tDan\t\tWu\t\t\t\t\tCairo\t\t\t\t\t\t\t\t\thttp://d.org",
					   "n4\tEve\t\tVo\t\t\t\t\tBern"},
					  BRect(100, 120, 600, 400));
	}

	std::string fPath;
};

} // namespace

TEST_F(MainWindow, MenusFollowTheSelectionAndDeletingSelectedRecordsRemovesTheFirstAndIsSaved)
{
	RunApp({fPath}, [](ZIBapp* app) {
		ZIBWindow* window = WindowAt(app, 0);
		for (uint32 command : {kMsgFileSaveAs, kMsgFileImport, kMsgFileExport, kMsgSearchFind})
			EXPECT_TRUE(MenuEnabled(window, command));
		EXPECT_FALSE(MenuEnabled(window, kMsgFileSave));
		EXPECT_FALSE(MenuEnabled(window, kMsgRecordModify));
		window->GetABList()->Select(2);
		gui_test::process_events();
		for (uint32 command : {kMsgRecordModify, kMsgRecordDelete, kMsgCopyAddress})
			EXPECT_TRUE(MenuEnabled(window, command));
		EXPECT_FALSE(MenuEnabled(window, kMsgOpenWebPage)) << "\"ab\" is too short";
		window->GetABList()->Select(3);
		gui_test::process_events();
		EXPECT_TRUE(MenuEnabled(window, kMsgOpenWebPage));

		// Size limits keep the window usable.
		window->ResizeTo(100, 10);
		gui_test::process_events();
		EXPECT_GE(window->Bounds().Width(), 340);
		EXPECT_GE(window->Bounds().Height(), 54);

		Send(window, kMsgEditSelectAll);
		EXPECT_EQ(Selection(window), (std::vector<int32>{0, 1, 2, 3, 4}));
		window->GetABList()->Select(2);
		window->GetABList()->Select(4, true);
		Send(window, kMsgRecordDelete);
		EXPECT_EQ(window->GetThisABook()->GetTotalRecordsInThisAB(), 4);
		EXPECT_STREQ(window->GetThisABook()->getRecord(2)->Field(0), "n3");
		EXPECT_TRUE(Selection(window).empty());
		EXPECT_TRUE(MenuEnabled(window, kMsgFileSave));
		EXPECT_FALSE(MenuEnabled(window, kMsgRecordDelete));
	});
	// Quitting saved the deletion.
	EXPECT_EQ(ReadFile(fPath).find("n2"), std::string::npos);
	EXPECT_NE(ReadFile(fPath).find("n3"), std::string::npos);
}

TEST_F(MainWindow, AFailedSaveIsReportedAndKeepsTheWindowAndItsChanges)
{
	std::filesystem::create_directory(PathOf("sub"));
	std::string path = PathOf("sub/book.zib");
	WriteBookFile(path, {"n0\tAnna", "n1\tBen"});
	SetLastFileSaved(fPath);
	RunApp({path}, [&](ZIBapp* app) {
		ZIBWindow* window = WindowAt(app, 0);
		SetLastFileSaved(fPath);
		std::filesystem::remove_all(PathOf("sub"));
		Send(window, kMsgEditSelectAll);
		Send(window, kMsgRecordDelete);
		EXPECT_NE(window->ZIBSaveFile(), B_OK);
		EXPECT_TRUE(MenuEnabled(window, kMsgFileSave));
		window->Lock();
		EXPECT_FALSE(window->QuitRequested()) << "closing must not lose the change";
		window->Unlock();
		EXPECT_EQ(CountWindows(app), 1);
		// Saved elsewhere, it closes.
		BMessage saveAs(kMsgSaveFile);
		entry_ref directory;
		get_ref_for_path(PathOf("").c_str(), &directory);
		saveAs.AddRef("directory", &directory);
		saveAs.AddString("name", "rescued.zib");
		window->PostMessage(&saveAs);
		gui_test::process_until([&] { return !window->GetThisABook()->SeeIfDirty(); });
	});
	ASSERT_GE(fAlerts.size(), 2u);
	EXPECT_EQ(fAlerts[0].rfind("Message|Could not save \"" + PathOf("sub/book.zib") + "\": ", 0),
			  0u)
		<< fAlerts[0];
	EXPECT_EQ(ReadFile(PathOf("rescued.zib")).substr(0, 7), "n1\tBen\t");
	EXPECT_EQ(LastFileSaved(), PathOf("rescued.zib"));
}

// Cancelling a new book's first save panel closes only that book.
TEST_F(MainWindow, CancellingANewBooksFirstSaveClosesOnlyThatBook)
{
	RunApp({fPath}, [&](ZIBapp* app) {
		ZIBWindow* first = WindowAt(app, 0);
		app->PostMessage(kMsgNewBook);
		gui_test::process_until([&] { return CountWindows(app) == 2; });
		BPrivate::cancel_file_panel(WindowAt(app, 1)->GetSaveFilePanel()->Panel());
		gui_test::process_until([&] { return CountWindows(app) == 1; });
		EXPECT_EQ(first->GetThisABook()->GetTotalRecordsInThisAB(), 5);
		EXPECT_EQ(app->GetActiveWindow(), first);
	});
}

namespace {

// Another program appends a record to the book while it is open.
void
AppendElsewhere(const std::string& path)
{
	std::ofstream(path, std::ios::app) << "n9\tZoe\n";
}

struct ChangedOnDisk {
	const char* name;
	int32 answer;     // "Save anyway", "Save As...", "Cancel"
	bool overwritten; // the file holds the window's records
	bool savePanelShows;
};

class ChangedOnDiskTest : public MainWindow, public testing::WithParamInterface<ChangedOnDisk> {};

TEST_P(ChangedOnDiskTest, SavingAsksFirst)
{
	std::vector<std::string> asked;
	RunApp({fPath}, [&](ZIBapp* app) {
		ZIBWindow* window = WindowAt(app, 0);
		BPrivate::set_alert_responder([&](const BAlert& alert) {
			asked.push_back(alert.Text());
			for (int32 i = 0; i < alert.CountButtons(); i++)
				asked.back() += std::string("|") + alert.ButtonLabel(i);
			return GetParam().answer;
		});
		Send(window, kMsgEditSelectAll);
		Send(window, kMsgRecordDelete);
		AppendElsewhere(fPath);
		window->Lock();
		status_t status = window->ZIBSaveFile();
		window->Unlock();
		gui_test::process_events();
		EXPECT_EQ(status == B_OK, GetParam().overwritten);
		EXPECT_EQ(window->GetThisABook()->SeeIfDirty(), !GetParam().overwritten);
		EXPECT_EQ(window->GetSaveFilePanel()->Panel()->IsShowing(), GetParam().savePanelShows);
		// Once saved or declined, the question comes again only after the
		// next change by another program.
		BPrivate::set_alert_responder([](const BAlert&) { return 2; });
		window->GetThisABook()->SetDirty(false);
	});
	ASSERT_FALSE(asked.empty());
	EXPECT_EQ(asked[0], "\"" + fPath +
							"\" was changed by another program. Saving replaces those "
							"changes.|Save anyway|Save As...|Cancel");
	EXPECT_EQ(ReadFile(fPath).find("n9\tZoe") == std::string::npos, GetParam().overwritten);
}

INSTANTIATE_TEST_SUITE_P(Answers, ChangedOnDiskTest,
						 testing::Values(ChangedOnDisk{"SaveAnyway", 0, true, false},
										 ChangedOnDisk{"SaveAs", 1, false, true},
										 ChangedOnDisk{"Cancel", 2, false, false}),
						 [](const auto& info) { return info.param.name; });

// Puts records into the window's book as an import does, without a file.
void
AddRecords(ZIBWindow* window, int count)
{
	window->Lock();
	for (int i = 0; i < count; i++) {
		window->GetThisABook()->makeNewRecord()->SetField(kNicknameField, "kept");
		window->GetThisABook()->IncrementTotalRecordsInThisAB();
	}
	window->GetThisABook()->SetDirty(true);
	window->Unlock();
}

} // namespace

TEST_F(MainWindow, ANewBookHasItsRecordCommandsOnlyOnceAFirstSaveSucceedsAndStaysOpen)
{
	std::string path = PathOf("new.zib");
	RunApp({}, [&](ZIBapp* app) {
		ZIBWindow* window = WindowAt(app, 0);
		for (uint32 command : {kMsgFileNew, kMsgFileOpen, kMsgFileClose, kMsgFileQuit,
							   kMsgInfoAbout, kMsgInfoTech, kMsgInfoWeb})
			EXPECT_TRUE(MenuEnabled(window, command));
		for (uint32 command :
			 {kMsgFileSave, kMsgFileSaveAs, kMsgFileImport, kMsgFileExport, kMsgEditSelectAll,
			  kMsgViewAll, kMsgSearchFind, kMsgRecordNew, kMsgCopyRecord})
			EXPECT_FALSE(MenuEnabled(window, command));

		window->GetSaveFilePanel()->Panel()->Hide();
		Send(window, kMsgFileSave);
		EXPECT_TRUE(window->GetSaveFilePanel()->Panel()->IsShowing());

		// Named where it can be written, it is saved and stays open.
		BPrivate::accept_file_panel(window->GetSaveFilePanel()->Panel(), {path});
		gui_test::process_until([&] { return window->HasFile(); });
		gui_test::process_events();
		EXPECT_EQ(CountWindows(app), 1);
		EXPECT_STREQ(window->Title(), "new.zib");
		EXPECT_TRUE(MenuEnabled(window, kMsgRecordNew));
	});
	EXPECT_EQ(ReadFile(path), "");
	EXPECT_EQ(LastFileSaved(), path);
}

TEST_F(MainWindow, ClosingABookWithRecordsAndNoFileAsks)
{
	std::string path = PathOf("rescued.zib");
	RunApp({}, [&](ZIBapp* app) {
		ZIBWindow* window = WindowAt(app, 0);
		AddRecords(window, 2);
		int32 answer = 2;
		BPrivate::set_alert_responder([&](const BAlert& alert) {
			fAlerts.push_back(std::string(alert.Title()) + "|" + alert.Text());
			return answer;
		});
		// "Cancel", and a cancelled save panel, keep the window.
		Send(window, kMsgFileClose);
		BPrivate::cancel_file_panel(window->GetSaveFilePanel()->Panel());
		gui_test::process_events();
		EXPECT_EQ(CountWindows(app), 1);
		ASSERT_EQ(fAlerts.size(), 1u);
		EXPECT_EQ(fAlerts[0].rfind("Message|This address book has no file yet.", 0), 0u);

		// "Save As..." shows the panel; the window closes once it is saved.
		answer = 0;
		Send(window, kMsgFileClose);
		EXPECT_EQ(CountWindows(app), 1);
		ASSERT_TRUE(window->GetSaveFilePanel()->Panel()->IsShowing());
		BPrivate::accept_file_panel(window->GetSaveFilePanel()->Panel(), {path});
		gui_test::process_until([&] { return CountWindows(app) == 0; });
	});
	EXPECT_EQ(ReadFile(path).substr(0, 5), "kept\t");

	RunApp({}, [&](ZIBapp* app) {
		AddRecords(WindowAt(app, 0), 1);
		BPrivate::set_alert_responder([](const BAlert&) { return 1; });
		WindowAt(app, 0)->PostMessage(kMsgFileClose);
		EXPECT_TRUE(gui_test::process_until([&] { return CountWindows(app) == 0; }))
			<< "\"Don't Save\" closes";
	});
}

TEST_F(MainWindow, ADoubledScaleDoublesTheWindowAndClosingStoresItsFrameInPoints)
{
	// The offscreen screen of 800 by 800 pixels holds 400 by 400 points.
	const BRect frame(20, 30, 369, 229);
	WriteBookFile(fPath, {"n0\tAnna"}, frame);
	setenv("QT_SCALE_FACTOR", "2", 1);
	RunApp({fPath}, [&](ZIBapp* app) {
		ZIBWindow* window = WindowAt(app, 0);
		EXPECT_EQ(window->Frame(), frame);
		QImage image = gui_test::render(window->GetWholeWindowView());
		EXPECT_EQ(image.devicePixelRatio(), 2);
		EXPECT_EQ(image.width(), 2 * (frame.IntegerWidth() + 1));
		// Text is drawn at the doubled resolution, not blown up: some run of
		// ink in a title starts or ends between two blown-up pixels.
		QImage title = gui_test::render(window->GetTitleButtonView()->ChildAt(0));
		bool fine = false;
		for (int y = 4; y < title.height() - 4; y++) {
			for (int x = 8; x < title.width() - 8; x++) {
				bool ink = qGray(title.pixel(x, y)) < 100;
				bool before = qGray(title.pixel(x - 1, y)) < 100;
				fine |= ink != before && x % 2 == 1;
			}
		}
		EXPECT_TRUE(fine);
		// Closing stores the moved frame, in points.
		window->MoveTo(40, 50);
		gui_test::process_until([&] { return window->GetThisABook()->SeeIfDirty(); });
		Send(window, kMsgFileClose, [&] { return CountWindows(app) == 0; });
	});
	unsetenv("QT_SCALE_FACTOR");
	float values[4] = {};
	BNode(fPath.c_str()).ReadAttr("ZIBWndwFrame", B_RECT_TYPE, 0, values, sizeof(values));
	EXPECT_EQ(BRect(values[0], values[1], values[2], values[3]), frame.OffsetToCopy(40, 50));
}
