#include <sys/stat.h>

#include <filesystem>
#include <tuple>

#include <gtest/gtest.h>

#include <FilePanel.h>

#include "AppHarness.h"
#include "GuiTest.h"
#include "SaveFilePanel.h"
#include "WindowConstants.h"
#include "ZIBWindow.h"
#include "ZIBapp.h"
#include "ZIBook.h"

const BRect kStoredFrame(100, 120, 600, 400);

TEST_F(AppTest, FirstStartOrALastFileInAVanishedFolderOpensAnEmptyBookAndItsSavePanel)
{
	for (bool vanished : {false, true}) {
		if (vanished)
			SetLastFileSaved(PathOf("gone/book.zib"));
		RunApp({}, [vanished](ZIBapp* app) {
			ASSERT_EQ(CountWindows(app), 1) << vanished;
			ZIBWindow* window = WindowAt(app, 0);
			EXPECT_EQ(window->Frame(), kNewBookFrame);
			EXPECT_STREQ(window->Title(), "Larimo Address Book DIDE");
			EXPECT_EQ(window->GetThisABook()->GetTotalRecordsInThisAB(), 0);
			EXPECT_TRUE(window->GetSaveFilePanel()->Panel()->IsShowing());
			EXPECT_FALSE(window->HasFile());
		});
	}
}

// The first file of the command line, else the last file saved, opens at
// its stored frame if that is on the screen; showing it is no move, so the
// file is not rewritten on closing.
TEST_F(AppTest, OnlyTheFirstLaunchFileOrTheLastFileSavedOpensAtItsFrameIfOnTheScreen)
{
	WriteBookFile(PathOf("one.zib"), {"bob\tBob", "ann\tAnn"}, kStoredFrame);
	WriteBookFile(PathOf("plain.zib"), {"b", "c"});
	WriteBookFile(PathOf("far.zib"), {"a"}, BRect(9000, 9000, 9400, 9200));
	const std::tuple<std::vector<std::string>, const char*, BRect> rows[] = {
		{{}, "one.zib", kStoredFrame},
		{{PathOf("one.zib"), PathOf("plain.zib")}, "one.zib", kStoredFrame},
		{{PathOf("plain.zib")}, "plain.zib", kNewBookFrame},
		{{PathOf("far.zib")}, "far.zib", kNewBookFrame},
	};
	for (const auto& [files, title, frame] : rows) {
		SetLastFileSaved(PathOf("one.zib"));
		RunApp(files, [&](ZIBapp* app) {
			for (int i = 0; i < 20; i++)
				gui_test::process_events();
			ASSERT_EQ(CountWindows(app), 1) << title;
			ZIBWindow* window = WindowAt(app, 0);
			EXPECT_STREQ(window->Title(), title);
			EXPECT_EQ(window->Frame(), frame) << title;
			EXPECT_FALSE(window->GetThisABook()->SeeIfDirty()) << title;
			EXPECT_EQ(app->GetActiveWindow(), window);
			EXPECT_FALSE(window->GetSaveFilePanel()->Panel()->IsShowing());
			EXPECT_TRUE(MenuEnabled(window, kMsgRecordNew));
		});
	}
}

struct Unreadable {
	const char* name;
	const char* path;   // in the test's folder
	bool lastFileSaved; // else given on the command line
	const char* reason;
};

class UnreadableTest : public AppTest, public testing::WithParamInterface<Unreadable> {};

TEST_P(UnreadableTest, IsReportedAtOnceAndNeverOverwritten)
{
	std::filesystem::create_directory(PathOf("folder.zib"));
	mkfifo(PathOf("fifo.zib").c_str(), 0600);
	std::string path = PathOf(GetParam().path);
	if (GetParam().lastFileSaved)
		SetLastFileSaved(path);
	RunApp(GetParam().lastFileSaved ? std::vector<std::string>() : std::vector<std::string>{path},
		   [](ZIBapp* app) {
			   ASSERT_EQ(CountWindows(app), 1);
			   EXPECT_FALSE(WindowAt(app, 0)->HasFile());
		   });
	ASSERT_EQ(fAlerts.size(), 1u);
	EXPECT_EQ(fAlerts[0], "Message|Could not open \"" + path + "\": " + GetParam().reason + ".");
	EXPECT_TRUE(std::filesystem::is_directory(PathOf("folder.zib")));
	EXPECT_TRUE(std::filesystem::is_fifo(PathOf("fifo.zib")));
}

INSTANTIATE_TEST_SUITE_P(Files, UnreadableTest,
						 testing::Values(Unreadable{"Folder", "folder.zib", false,
													"Is a directory"},
										 Unreadable{"FifoAsLastFileSaved", "fifo.zib", true,
													"It is not a regular file"}),
						 [](const auto& info) { return info.param.name; });
