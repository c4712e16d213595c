#include <algorithm>
#include <cmath>
#include <vector>

#include <QImage>

#include <gtest/gtest.h>

#include <Button.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <StringView.h>

#include "ABListView.h"
#include "DialogTest.h"
#include "GuiTest.h"
#include "MyEntryTextView.h"
#include "ZIBFindWindow.h"
#include "WindowConstants.h"
#include "ZIBWindow.h"

namespace {

using Rows = std::vector<int32>;

class FindDialog : public DialogTest {
protected:
	void SetUp() override
	{
		DialogTest::SetUp();
		// "ann" is in ann's nickname, first name and email 1 and in bob's
		// last name; the third record is empty.
		WriteBookFile(fPath, {"ann\tAnn\t\t\t\t\t\t\t\t\t\t\t\t\t\tANN@x.org", "bob\t\t\tJoanne",
							  "", "carl\t\t\t\t\t\t\t\tOslo"});
	}

	static ZIBFindWindow* OpenFind(ZIBWindow* window)
	{
		return Open<ZIBFindWindow>(window, kMsgSearchFind);
	}
	static MyEntryTextView* SearchField(ZIBFindWindow* dialog) { return Fields(dialog).front(); }
	static void Search(ZIBFindWindow* dialog, const char* text)
	{
		SearchField(dialog)->SetText(text);
		Click(Button(dialog, "Search_Button"));
	}
	// Whether "Search Again" and "Find Next" are enabled, both or neither.
	static bool CanSearchAgain(ZIBWindow* window, ZIBFindWindow* dialog)
	{
		bool button = Button(dialog, "SearchAgain_Button")->IsEnabled();
		EXPECT_EQ(window->KeyMenuBar()->FindItem(kMsgSearchFindNext)->IsEnabled(), button);
		return button;
	}
};

TEST_F(FindDialog, SearchAgainGoesThroughFieldsAndRecordsWithTheLastSearchedText)
{
	Run([](ZIBWindow* window) {
		ZIBFindWindow* dialog = OpenFind(window);
		EXPECT_EQ(dialog->Frame(), BRect(120, 120, 470, 230));
		EXPECT_FALSE(CanSearchAgain(window, dialog));
		EXPECT_FALSE(Button(dialog, "FindAll_Button")->IsEnabled());

		Search(dialog, "aNN");
		EXPECT_EQ(Selection(window), Rows{0}) << "nickname";
		EXPECT_TRUE(CanSearchAgain(window, dialog));
		Send(window, kMsgSearchFindNext);
		EXPECT_EQ(Selection(window), Rows{0}) << "first name";
		Click(Button(dialog, "SearchAgain_Button"));
		EXPECT_EQ(Selection(window), Rows{0}) << "email 1";
		Press(SearchField(dialog), Qt::Key_G, Qt::ControlModifier);
		EXPECT_EQ(Selection(window), Rows{1}) << "Joanne";
		Send(window, kMsgSearchFindNext);
		EXPECT_EQ(Selection(window), Rows{1});
		EXPECT_FALSE(CanSearchAgain(window, dialog));

		// A new search starts at the first record again.
		Search(dialog, "oslo");
		EXPECT_EQ(Selection(window), Rows{3});
		EXPECT_TRUE(CanSearchAgain(window, dialog));
		window->GetABList()->Select(2);
		Search(dialog, "Joannes");
		EXPECT_EQ(Selection(window), Rows{2}) << "nothing found, selection kept";
		EXPECT_FALSE(CanSearchAgain(window, dialog));

		// "Search Again" keeps the text of the last search.
		Search(dialog, "joanne");
		SearchField(dialog)->SetText("carl");
		Click(Button(dialog, "SearchAgain_Button"));
		EXPECT_EQ(Selection(window), Rows{1}) << "carl was not searched for";
		// Enter presses "Search", the default button.
		Press(SearchField(dialog), Qt::Key_Return);
		EXPECT_EQ(Selection(window), Rows{3});
		EXPECT_STREQ(SearchField(dialog)->Text(), "carl");

		// The empty text finds every non-empty field.
		Search(dialog, "");
		Rows rows = Selection(window);
		while (CanSearchAgain(window, dialog)) {
			Send(window, kMsgSearchFindNext);
			rows.push_back(Selection(window).front());
		}
		EXPECT_EQ(rows, (Rows{0, 0, 0, 1, 1, 3, 3, 3})) << "the last step ran out";
	});
}

TEST_F(FindDialog, LanguageRulesIgnoreCaseInEveryScript)
{
	WriteBookFile(fPath, {"ann\t\xC3\xA9mile"});
	Run([](ZIBWindow* window) {
		ZIBFindWindow* dialog = OpenFind(window);
		Type(SearchField(dialog), "\xC3\x89MILE");
		Press(SearchField(dialog), Qt::Key_Return);
		EXPECT_FALSE(CanSearchAgain(window, dialog)) << "only ASCII letters without the rules";

		Send(window, kMsgViewLanguageRules);
		Press(SearchField(dialog), Qt::Key_Return);
		EXPECT_EQ(Selection(window), Rows{0});
	});
}

// The darkest grey of the middle third of a button's height: its label.
int
DarkestLabelGrey(BButton* button)
{
	QImage image = gui_test::render(button);
	int darkest = 255;
	for (int y = image.height() / 3; y < 2 * image.height() / 3; y++) {
		for (int x = 6; x < image.width() - 6; x++)
			darkest = std::min(darkest, qGray(image.pixel(x, y)));
	}
	return darkest;
}

// Whether no label ink comes within three pixels of the button's sides, as
// it does when the label is cut off there.
bool
LabelIsWhole(BButton* button)
{
	QImage image = gui_test::render(button);
	for (int y = image.height() / 3; y < 2 * image.height() / 3; y++) {
		for (int x : {3, 4, image.width() - 5, image.width() - 4}) {
			if (qGray(image.pixel(x, y)) < 100)
				return false;
		}
	}
	return true;
}

TEST_F(FindDialog, ButtonsShowWhetherTheyWorkAndKeysPressTheFocusedOne)
{
	Run([](ZIBWindow* window) {
		ZIBFindWindow* dialog = OpenFind(window);
		auto* label = dynamic_cast<BStringView*>(dialog->FindView("fstr"));
		ASSERT_NE(label, nullptr);
		EXPECT_LE(std::floor(label->StringWidth("Search For")), label->Frame().Width() + 1);
		EXPECT_EQ(gui_test::render(label).pixelColor(0, 1), QColor(216, 216, 216));

		BButton* search = Button(dialog, "Search_Button");
		BButton* again = Button(dialog, "SearchAgain_Button");
		BButton* cancel = Button(dialog, "Cancel_Button");
		EXPECT_LT(DarkestLabelGrey(search), 80);
		EXPECT_GT(DarkestLabelGrey(again), 110) << "greyed while disabled";
		EXPECT_GT(DarkestLabelGrey(Button(dialog, "FindAll_Button")), 110);
		for (const char* name : {"Search_Button", "SearchAgain_Button", "Cancel_Button"})
			EXPECT_TRUE(LabelIsWhole(Button(dialog, name))) << name;

		// Space presses the focused button, which shows a focus mark.
		QImage unfocused = gui_test::render(search);
		SearchField(dialog)->SetText("carl");
		Press(SearchField(dialog), Qt::Key_Tab);
		ASSERT_EQ(dialog->CurrentFocus(), search);
		EXPECT_NE(gui_test::render(search), unfocused);
		Type(search, " ");
		EXPECT_EQ(Selection(window), Rows{3});
		EXPECT_LT(DarkestLabelGrey(again), 80);

		// Tab skips the disabled "Find All"; Enter presses the focused
		// "Cancel", not the default "Search".
		Press(search, Qt::Key_Tab);
		Press(again, Qt::Key_Tab);
		ASSERT_EQ(dialog->CurrentFocus(), cancel);
		window->GetABList()->DeselectAll();
		Press(cancel, Qt::Key_Return);
		WaitClosed(dialog);
		EXPECT_TRUE(Selection(window).empty());
		EXPECT_EQ(window->GetFindWindow1(), nullptr);
		Send(window, kMsgSearchFindNext);
	});
}

} // namespace
