#include <string>
#include <vector>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <AppDefs.h>
#include <Button.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <StringView.h>

#include "ABListView.h"
#include "ABookRecord.h"
#include "DialogTest.h"
#include "GuiTest.h"
#include "MyEntryTextView.h"
#include "ZIBEntryWindow.h"
#include "ZIBModifyWindow.h"
#include "ZIBWindow.h"
#include "ZIBook.h"

namespace {

const std::string kThirtyEight = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKL";
const char kTwoByte[] = "\xc3\xa9"; // é

class RecordDialog : public DialogTest {
protected:
	static ZIBEntryWindow* OpenEntry(ZIBWindow* window)
	{
		Send(window, kMsgRecordNew, [window] { return window->GetEntryWindow1() != nullptr; });
		return window->GetEntryWindow1();
	}
	static ZIBModifyWindow* OpenModify(ZIBWindow* window, int32 row)
	{
		window->GetABList()->Select(row);
		Send(window, kMsgRecordModify, [window] { return window->GetModifyWindow1() != nullptr; });
		return window->GetModifyWindow1();
	}
	static bool SaveEnabled(ZIBWindow* window)
	{
		return window->KeyMenuBar()->FindItem(kMsgFileSave)->IsEnabled();
	}
	static std::vector<std::string> Texts(BWindow* dialog)
	{
		std::vector<std::string> texts;
		for (MyEntryTextView* field : Fields(dialog))
			texts.push_back(field->Text());
		return texts;
	}
};

TEST_F(RecordDialog, EntryDialogLaysOutTheFieldsOfTheBookCentred)
{
	Run([](ZIBWindow* window) {
		ZIBEntryWindow* dialog = OpenEntry(window);
		EXPECT_STREQ(dialog->Title(), "Record Data Entry");
		// The offscreen screen is 800 by 800 pixels.
		EXPECT_EQ(dialog->Frame(), BRect(264, 164, 534, 634));
		std::vector<MyEntryTextView*> fields = Fields(dialog);
		ASSERT_EQ(fields.size(), 21u);
		for (int i = 0; i < kFieldCount; i++) {
			SCOPED_TRACE(i);
			float top = 4 + 20 * i;
			EXPECT_EQ(fields[i]->Frame(), BRect(85, top, 245, top + 20));
			EXPECT_STREQ(fields[i]->Name(), gInitFieldNames[i]);
			auto* label = dynamic_cast<BStringView*>(fields[i]->Parent()->ChildAt(2 * i));
			ASSERT_NE(label, nullptr);
			EXPECT_STREQ(label->Text(), gInitFieldNames[i]);
			EXPECT_EQ(label->Frame().right, 80);
			EXPECT_EQ(label->Frame().top, top);
		}
		EXPECT_EQ(Button(dialog, "Cancel_Button")->Frame(), BRect(70, 440, 115, 465));
		EXPECT_EQ(Button(dialog, "Add_Button")->Frame(), BRect(150, 440, 195, 465));
		EXPECT_TRUE(Button(dialog, "Add_Button")->IsDefault());
		EXPECT_EQ(dialog->CurrentFocus(), fields[kNicknameField]);
	});
}

TEST_F(RecordDialog, FieldsDrawABevelAndMarkTheFocus)
{
	Run([](ZIBWindow* window) {
		std::vector<MyEntryTextView*> fields = Fields(OpenEntry(window));
		QImage focused = gui_test::render(fields[0]);
		QImage other = gui_test::render(fields[1]);
		EXPECT_EQ(focused.pixelColor(0, 10), QColor(191, 191, 191));
		EXPECT_EQ(focused.pixelColor(80, 0), QColor(191, 191, 191));
		EXPECT_EQ(focused.pixelColor(160, 10), QColor(235, 235, 235));
		EXPECT_EQ(focused.pixelColor(80, 20), QColor(235, 235, 235));
		EXPECT_EQ(focused.pixelColor(1, 10), QColor(141, 141, 141));
		EXPECT_EQ(focused.pixelColor(159, 10), QColor(216, 216, 216));
		EXPECT_EQ(focused.pixelColor(2, 10), QColor(0, 0, 255));
		EXPECT_EQ(focused.pixelColor(158, 10), QColor(0, 0, 255));
		EXPECT_NE(other.pixelColor(2, 10), QColor(0, 0, 255));
		// The mark follows the focus.
		Press(fields[0], Qt::Key_Tab);
		EXPECT_NE(gui_test::render(fields[0]).pixelColor(2, 10), QColor(0, 0, 255));
		EXPECT_EQ(gui_test::render(fields[1]).pixelColor(2, 10), QColor(0, 0, 255));
	});
}

TEST_F(RecordDialog, TabMovesBetweenFieldsWithoutEnteringATab)
{
	Run([](ZIBWindow* window) {
		ZIBEntryWindow* dialog = OpenEntry(window);
		std::vector<MyEntryTextView*> fields = Fields(dialog);
		Type(fields[0], "a\t");
		EXPECT_EQ(dialog->CurrentFocus(), fields[1]);
		Type(fields[1], "\t");
		EXPECT_EQ(dialog->CurrentFocus(), fields[2]);
		Press(fields[2], Qt::Key_Backtab, Qt::ShiftModifier);
		EXPECT_EQ(dialog->CurrentFocus(), fields[1]);
		EXPECT_EQ(Texts(dialog)[0], "a");
		EXPECT_EQ(Texts(dialog)[1], "");
		// From the last field Tab goes on to the buttons.
		fields[20]->MakeFocus(true);
		Press(fields[20], Qt::Key_Tab);
		EXPECT_EQ(dialog->CurrentFocus(), Button(dialog, "Cancel_Button"));
	});
}

TEST_F(RecordDialog, FortyByteLimitNeverSplitsACharacter)
{
	Run([](ZIBWindow* window) {
		std::vector<MyEntryTextView*> fields = Fields(OpenEntry(window));
		struct Row {
			const char* name;
			std::string typed;
			std::string expected;
		};
		const Row rows[] = {
			{"TwoByteCharFillsTheLastTwoBytes", kThirtyEight + kTwoByte + "x",
			 kThirtyEight + kTwoByte},
			{"TwoByteCharOneByteShort", kThirtyEight + "z" + kTwoByte, kThirtyEight + "z"},
			{"FourByteChars", "\xf0\x9f\x98\x80" + kThirtyEight,
			 "\xf0\x9f\x98\x80" + kThirtyEight.substr(0, 36)},
		};
		for (const Row& row : rows) {
			SCOPED_TRACE(row.name);
			MyEntryTextView* field = fields[1];
			field->SetText("");
			Type(field, row.typed.c_str());
			EXPECT_EQ(std::string(field->Text()), row.expected);
		}
		// At the limit arrows, backspace and delete still work and free room.
		MyEntryTextView* field = fields[1];
		field->SetText("");
		Type(field, (kThirtyEight + "yz").c_str());
		Press(field, Qt::Key_Left);
		Press(field, Qt::Key_Left);
		Press(field, Qt::Key_Backspace);
		Type(field, "!?");
		std::string expected = kThirtyEight.substr(0, 37) + "!yz";
		EXPECT_EQ(std::string(field->Text()), expected);
		Press(field, Qt::Key_Right);
		Press(field, Qt::Key_Delete);
		Type(field, kTwoByte);
		EXPECT_EQ(std::string(field->Text()), kThirtyEight.substr(0, 37) + "!y")
			<< "no room for two bytes";
		Press(field, Qt::Key_Backspace);
		Type(field, kTwoByte);
		EXPECT_EQ(std::string(field->Text()), kThirtyEight.substr(0, 37) + "!" + kTwoByte);
	});
}

TEST_F(RecordDialog, PastedTextStopsAtATabOrLineFeedAndTheLimit)
{
	Run([](ZIBWindow* window) {
		std::vector<MyEntryTextView*> fields = Fields(OpenEntry(window));
		struct Row {
			const char* name;
			std::string pasted;
			std::string expected;
		};
		const Row rows[] = {
			{"CutAtTab", "Ann\tLee", "Ann"},
			{"CutAtLineFeed", "Oslo\nNorway", "Oslo"},
			{"CutAtReturn", "Oslo\r\nNorway", "Oslo"},
			{"CutAtLimit", kThirtyEight + kTwoByte + kTwoByte, kThirtyEight + kTwoByte},
		};
		for (const Row& row : rows) {
			SCOPED_TRACE(row.name);
			fields[2]->SetText("");
			QGuiApplication::clipboard()->setText(QString::fromStdString(row.pasted));
			Press(fields[2], Qt::Key_V, Qt::ControlModifier);
			EXPECT_EQ(std::string(fields[2]->Text()), row.expected);
		}
	});
}

TEST_F(RecordDialog, AddAppendsRecordsAndEmptiesTheFields)
{
	Run([](ZIBWindow* window) {
		ZIBook* book = window->GetThisABook();
		ZIBEntryWindow* dialog = OpenEntry(window);
		std::vector<MyEntryTextView*> fields = Fields(dialog);
		// Saved while the dialog is open: the next record enables Save again.
		Send(window, kMsgFileSave);
		ASSERT_FALSE(SaveEnabled(window));
		// Enter in a field presses "Add" and stores no line feed.
		Type(fields[0], "zoe");
		Type(fields[1], "Zoe");
		Press(fields[1], Qt::Key_Return);
		EXPECT_EQ(Texts(dialog), std::vector<std::string>(21));
		EXPECT_EQ(dialog->CurrentFocus(), fields[0]);
		Type(fields[0], "yan");
		Type(fields[20], "1 May");
		Click(Button(dialog, "Add_Button"));

		ASSERT_EQ(book->GetTotalRecordsInThisAB(), 7);
		EXPECT_STREQ(book->getRecord(5)->Field(kNicknameField), "zoe");
		EXPECT_STREQ(book->getRecord(5)->Field(kFirstNameField), "Zoe");
		EXPECT_STREQ(book->getRecord(6)->Field(kNicknameField), "yan");
		EXPECT_STREQ(book->getRecord(6)->Field(kBirthdayField), "1 May");
		EXPECT_EQ(book->GetLastRecord(), book->getRecord(6));
		EXPECT_TRUE(book->SeeIfDirty());
		EXPECT_TRUE(SaveEnabled(window));
		// The list shows them once the dialog is cancelled.
		EXPECT_EQ(window->GetABList()->CountItems(), 5);
		Click(Button(dialog, "Cancel_Button"));
		ASSERT_TRUE(gui_test::process_until([dialog] { return !IsOpen(dialog); }));
		EXPECT_EQ(window->GetABList()->CountItems(), 7);
		EXPECT_EQ(window->GetEntryWindow1(), nullptr);
	});
}

TEST_F(RecordDialog, CloseBoxKeepsAddedRecordsWithoutRedrawing)
{
	Run([](ZIBWindow* window) {
		ZIBEntryWindow* dialog = OpenEntry(window);
		Click(Button(dialog, "Add_Button"));
		Send(dialog, B_QUIT_REQUESTED, [dialog] { return !IsOpen(dialog); });
		EXPECT_EQ(window->GetThisABook()->GetTotalRecordsInThisAB(), 6);
		EXPECT_STREQ(window->GetThisABook()->getRecord(5)->Field(kNicknameField), "");
		EXPECT_EQ(window->GetABList()->CountItems(), 5);
	});
}

TEST_F(RecordDialog, ModifyShowsTheRecordAndDoneStoresIt)
{
	Run([](ZIBWindow* window) {
		ZIBModifyWindow* dialog = OpenModify(window, 1);
		std::vector<MyEntryTextView*> fields = Fields(dialog);
		EXPECT_EQ(Texts(dialog)[0], "n1");
		EXPECT_EQ(Texts(dialog)[3], "Joanne");
		int32 start, finish;
		fields[3]->GetSelection(&start, &finish);
		EXPECT_EQ(start, 0);
		EXPECT_EQ(finish, 6);
		EXPECT_EQ(dialog->CurrentFocus(), fields[0]);
		EXPECT_TRUE(Button(dialog, "Modify_Button")->IsDefault());
		EXPECT_STREQ(Button(dialog, "Modify_Button")->Label(), "Done");

		Type(fields[3], "Jo");
		Type(fields[4], "Lead");
		Click(Button(dialog, "Modify_Button"));
		ASSERT_TRUE(gui_test::process_until([dialog] { return !IsOpen(dialog); }));
		const ABookRecord* record = window->GetThisABook()->getRecord(1);
		EXPECT_STREQ(record->Field(kLastNameField), "Jo");
		EXPECT_STREQ(record->Field(kTitleField), "Lead");
		EXPECT_STREQ(record->Field(kFirstNameField), "Ben");
		EXPECT_EQ(window->GetThisABook()->GetTotalRecordsInThisAB(), 5);
		EXPECT_TRUE(SaveEnabled(window));
		// The list was refilled: no row is selected any more.
		EXPECT_TRUE(Selection(window).empty());
	});
}

TEST_F(RecordDialog, CancelAndStaleIndexStoreNothing)
{
	Run([](ZIBWindow* window) {
		ZIBook* book = window->GetThisABook();
		ZIBModifyWindow* dialog = OpenModify(window, 0);
		Type(Fields(dialog)[0], "x");
		Click(Button(dialog, "Cancel_Button"));
		ASSERT_TRUE(gui_test::process_until([dialog] { return !IsOpen(dialog); }));
		EXPECT_STREQ(book->getRecord(0)->Field(kNicknameField), "n0");
		EXPECT_FALSE(book->SeeIfDirty());

		// Records deleted while the dialog is open: its row names none.
		dialog = OpenModify(window, 4);
		Type(Fields(dialog)[0], "x");
		for (int i = 0; i < 2; i++) {
			window->GetABList()->Select(0);
			Send(window, kMsgRecordDelete);
		}
		Click(Button(dialog, "Modify_Button"));
		ASSERT_TRUE(gui_test::process_until([dialog] { return !IsOpen(dialog); }));
		ASSERT_EQ(book->GetTotalRecordsInThisAB(), 3);
		for (int32 i = 0; i < 3; i++)
			EXPECT_STREQ(book->getRecord(i)->Field(kNicknameField),
						 ("n" + std::to_string(i + 2)).c_str());
	});
}

TEST_F(RecordDialog, ModifyWithoutSelectionOpensNothing)
{
	Run([](ZIBWindow* window) {
		window->GetABList()->DeselectAll();
		Send(window, kMsgRecordModify);
		Send(window, kMsgListInvoke);
		EXPECT_EQ(window->GetModifyWindow1(), nullptr);
		// A double click on a row opens it.
		window->GetABList()->Select(2);
		Send(window, kMsgListInvoke, [window] { return window->GetModifyWindow1() != nullptr; });
		EXPECT_EQ(Texts(window->GetModifyWindow1())[0], "n2");
	});
}

} // namespace
