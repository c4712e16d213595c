#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <AppDefs.h>
#include <Button.h>
#include <MenuBar.h>
#include <MenuItem.h>

#include "ABListView.h"
#include "DialogTest.h"
#include "GuiTest.h"
#include "MyEntryTextView.h"
#include "ZIBFindWindow.h"
#include "ZIBWindow.h"

namespace {

class FindDialog : public DialogTest {
protected:
	void SetUp() override
	{
		DialogTest::SetUp();
		// ann: first name and email 1 hold "ann"; bob: last name; then an
		// empty record and carl.
		WriteBookFile(fPath, {"ann\tAnn\t\t\t\t\t\t\t\t\t\t\t\t\t\tANN@x.org", "bob\t\t\tJoanne",
							  "", "carl\t\t\t\t\t\t\t\tOslo"});
	}

	static ZIBFindWindow* OpenFind(ZIBWindow* window)
	{
		Send(window, kMsgSearchFind, [window] { return window->GetFindWindow1() != nullptr; });
		return window->GetFindWindow1();
	}
	static MyEntryTextView* SearchField(ZIBFindWindow* dialog) { return Fields(dialog).front(); }
	static void Search(ZIBFindWindow* dialog, const char* text)
	{
		SearchField(dialog)->SetText(text);
		Click(Button(dialog, "Search_Button"));
	}
	static void FindNext(ZIBWindow* window) { Send(window, kMsgSearchFindNext); }
	static bool FindNextEnabled(ZIBWindow* window)
	{
		return window->KeyMenuBar()->FindItem(kMsgSearchFindNext)->IsEnabled();
	}
	static bool AgainEnabled(ZIBFindWindow* dialog)
	{
		return Button(dialog, "SearchAgain_Button")->IsEnabled();
	}
};

TEST_F(FindDialog, SearchesAgainThroughFieldsAndRecordsUntilItRunsOut)
{
	Run([](ZIBWindow* window) {
		ZIBFindWindow* dialog = OpenFind(window);
		EXPECT_FALSE(AgainEnabled(dialog));
		EXPECT_FALSE(Button(dialog, "FindAll_Button")->IsEnabled());

		Search(dialog, "aNN");
		EXPECT_EQ(Selection(window), std::vector<int32>{0}) << "nickname";
		EXPECT_TRUE(AgainEnabled(dialog));
		EXPECT_TRUE(FindNextEnabled(window));
		FindNext(window);
		EXPECT_EQ(Selection(window), std::vector<int32>{0}) << "first name";
		Click(Button(dialog, "SearchAgain_Button"));
		EXPECT_EQ(Selection(window), std::vector<int32>{0}) << "email 1";
		// Command-G in the dialog.
		Press(SearchField(dialog), Qt::Key_G, Qt::ControlModifier);
		EXPECT_EQ(Selection(window), std::vector<int32>{1}) << "Joanne";

		FindNext(window);
		EXPECT_EQ(Selection(window), std::vector<int32>{1});
		EXPECT_FALSE(AgainEnabled(dialog));
		EXPECT_FALSE(FindNextEnabled(window));
		Send(dialog, kMsgFindAgain);
		EXPECT_EQ(Selection(window), std::vector<int32>{1});
		EXPECT_FALSE(AgainEnabled(dialog));

		// A new search starts at the first record again.
		Search(dialog, "oslo");
		EXPECT_EQ(Selection(window), std::vector<int32>{3});
		EXPECT_TRUE(FindNextEnabled(window));
	});
}

TEST_F(FindDialog, SearchAgainKeepsTheTextOfTheLastSearch)
{
	Run([](ZIBWindow* window) {
		ZIBFindWindow* dialog = OpenFind(window);
		Search(dialog, "joanne");
		EXPECT_EQ(Selection(window), std::vector<int32>{1});
		SearchField(dialog)->SetText("carl");
		Click(Button(dialog, "SearchAgain_Button"));
		EXPECT_EQ(Selection(window), std::vector<int32>{1}) << "carl was not searched for";
		EXPECT_FALSE(AgainEnabled(dialog));
		Click(Button(dialog, "Search_Button"));
		EXPECT_EQ(Selection(window), std::vector<int32>{3});
		// Enter presses "Search", the default button.
		SearchField(dialog)->SetText("bob");
		Press(SearchField(dialog), Qt::Key_Return);
		EXPECT_EQ(Selection(window), std::vector<int32>{1});
		EXPECT_STREQ(SearchField(dialog)->Text(), "bob");
	});
}

TEST_F(FindDialog, EmptyKeyVisitsEveryNonEmptyField)
{
	Run([](ZIBWindow* window) {
		ZIBFindWindow* dialog = OpenFind(window);
		Search(dialog, "");
		std::vector<int32> rows = Selection(window);
		while (AgainEnabled(dialog)) {
			FindNext(window);
			rows.push_back(Selection(window).front());
		}
		// The empty record is skipped; the last step ran out.
		EXPECT_EQ(rows, (std::vector<int32>{0, 0, 0, 1, 1, 3, 3, 3}));
	});
}

TEST_F(FindDialog, NothingFoundLeavesTheSelectionAndDisablesFindNext)
{
	Run([](ZIBWindow* window) {
		ZIBFindWindow* dialog = OpenFind(window);
		Search(dialog, "ann");
		window->GetABList()->Select(2);
		Search(dialog, "Joannes");
		EXPECT_EQ(Selection(window), std::vector<int32>{2});
		EXPECT_FALSE(AgainEnabled(dialog));
		EXPECT_FALSE(FindNextEnabled(window));
		// Tab leaves the search field for the buttons.
		SearchField(dialog)->MakeFocus(true);
		Press(SearchField(dialog), Qt::Key_Tab);
		EXPECT_EQ(dialog->CurrentFocus(), Button(dialog, "Search_Button"));
		Press(Button(dialog, "Search_Button"), Qt::Key_Tab);
		EXPECT_EQ(dialog->CurrentFocus(), Button(dialog, "Cancel_Button"))
			<< "disabled buttons are passed over";
		Click(Button(dialog, "Cancel_Button"));
		ASSERT_TRUE(gui_test::process_until([dialog] { return !IsOpen(dialog); }));
		EXPECT_EQ(window->GetFindWindow1(), nullptr);
		FindNext(window);
	});
}

TEST_F(FindDialog, DeletedCurrentRecordRestartsTheSearch)
{
	Run([](ZIBWindow* window) {
		ZIBFindWindow* dialog = OpenFind(window);
		Search(dialog, "n");
		FindNext(window);
		EXPECT_EQ(Selection(window), std::vector<int32>{0}) << "Ann";
		window->GetABList()->Select(0);
		Send(window, kMsgRecordDelete);
		FindNext(window);
		EXPECT_EQ(Selection(window), std::vector<int32>{0}) << "Joanne, now first";
		EXPECT_TRUE(AgainEnabled(dialog));
	});
}

TEST_F(FindDialog, DialogGeometry)
{
	Run([](ZIBWindow* window) {
		ZIBFindWindow* dialog = OpenFind(window);
		EXPECT_STREQ(dialog->Title(), "Find");
		EXPECT_EQ(dialog->Frame(), BRect(120, 120, 470, 230));
		EXPECT_EQ(SearchField(dialog)->Frame(), BRect(95, 24, 210, 48));
		EXPECT_EQ(dialog->CurrentFocus(), SearchField(dialog));
		EXPECT_EQ(Button(dialog, "Search_Button")->Frame(), BRect(25, 70, 70, 90));
		EXPECT_TRUE(Button(dialog, "Search_Button")->IsDefault());
		EXPECT_EQ(Button(dialog, "SearchAgain_Button")->Frame(), BRect(95, 70, 170, 90));
		EXPECT_EQ(Button(dialog, "FindAll_Button")->Frame(), BRect(195, 70, 250, 90));
		EXPECT_EQ(Button(dialog, "Cancel_Button")->Frame(), BRect(275, 70, 325, 90));
	});
}

} // namespace
