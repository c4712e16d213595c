#include <string>
#include <vector>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <AppDefs.h>
#include <Button.h>
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
const std::string kTwoByte = "\xc3\xa9"; // é
const QColor kFocusBlue(0, 0, 255);

class RecordDialog : public DialogTest {
protected:
	static ZIBModifyWindow* OpenModify(ZIBWindow* window, int32 row)
	{
		window->GetABList()->Select(row);
		return Open<ZIBModifyWindow>(window, kMsgRecordModify);
	}
};

TEST_F(RecordDialog, FieldsAreLaidOutWithWholeLabelsBevelledAndTabMovesTheFocusMark)
{
	Run([](ZIBWindow* window) {
		ZIBEntryWindow* dialog = Open<ZIBEntryWindow>(window, kMsgRecordNew);
		EXPECT_STREQ(dialog->Title(), "Record Data Entry");
		EXPECT_EQ(dialog->Frame(), BRect(264, 164, 534, 634)) << "centred on 800 by 800";
		std::vector<MyEntryTextView*> fields = Fields(dialog);
		ASSERT_EQ(fields.size(), 21u);
		for (int i = 0; i < kFieldCount; i++) {
			auto* label = static_cast<BStringView*>(fields[i]->Parent()->ChildAt(2 * i));
			EXPECT_STREQ(label->Text(), gInitFieldNames[i]);
			EXPECT_EQ(label->Frame().RightTop(), BPoint(80, 4 + 20 * i));
			EXPECT_GE(label->Frame().left, 0) << label->Text() << " is cut off";
			EXPECT_LE(label->StringWidth(label->Text()), label->Frame().Width() + 1);
			EXPECT_EQ(gui_test::render(label).pixelColor(0, 1), QColor(216, 216, 216))
				<< "on the dialog's grey";
			EXPECT_EQ(fields[i]->Frame(), BRect(85, 4 + 20 * i, 245, 24 + 20 * i));
		}
		EXPECT_EQ(Button(dialog, "Add_Button")->Frame(), BRect(150, 440, 195, 465));
		// A taller dialog keeps every field clear of the buttons.
		dialog->ResizeBy(0, 100);
		gui_test::process_events();
		EXPECT_EQ(fields[20]->Frame().bottom, 424);
		EXPECT_EQ(Button(dialog, "Add_Button")->Frame(), BRect(150, 440, 195, 465));

		QImage image = gui_test::render(fields[0]);
		EXPECT_EQ(image.pixelColor(0, 10), QColor(191, 191, 191));
		EXPECT_EQ(image.pixelColor(160, 10), QColor(235, 235, 235));
		EXPECT_EQ(image.pixelColor(1, 10), QColor(141, 141, 141));
		EXPECT_EQ(image.pixelColor(159, 10), QColor(216, 216, 216));
		EXPECT_EQ(image.pixelColor(2, 10), kFocusBlue);

		// Tab moves on without entering a tab, Shift-Tab back; the mark follows.
		Type(fields[0], "a\t");
		EXPECT_EQ(dialog->CurrentFocus(), fields[1]);
		EXPECT_NE(gui_test::render(fields[0]).pixelColor(2, 10), kFocusBlue);
		EXPECT_EQ(gui_test::render(fields[1]).pixelColor(2, 10), kFocusBlue);
		Type(fields[1], "\t");
		Press(fields[2], Qt::Key_Backtab, Qt::ShiftModifier);
		EXPECT_EQ(dialog->CurrentFocus(), fields[1]);
		EXPECT_STREQ(fields[0]->Text(), "a");
		fields[20]->MakeFocus(true);
		Press(fields[20], Qt::Key_Tab);
		EXPECT_EQ(dialog->CurrentFocus(), Button(dialog, "Cancel_Button"));
	});
}

TEST_F(RecordDialog, TypedAndPastedTextKeepsToFortyBytesOfOneLine)
{
	Run([](ZIBWindow* window) {
		std::vector<MyEntryTextView*> fields = Fields(Open<ZIBEntryWindow>(window, kMsgRecordNew));
		MyEntryTextView* field = fields[1];
		struct Row {
			const char* name;
			std::string input;
			bool pasted;
			std::string expected;
		};
		const Row rows[] = {
			{"TwoByteCharFillsTheLimit", kThirtyEight + kTwoByte + "x", false,
			 kThirtyEight + kTwoByte},
			{"TwoByteCharOneByteShort", kThirtyEight + "z" + kTwoByte, false, kThirtyEight + "z"},
			{"FourByteChar", "\xf0\x9f\x98\x80" + kThirtyEight, false,
			 "\xf0\x9f\x98\x80" + kThirtyEight.substr(0, 36)},
			{"PastedTab", "Ann\tLee", true, "Ann"},
			{"PastedLineFeed", "Oslo\r\nNorway", true, "Oslo"},
			{"PastedAtLimit", kThirtyEight + kTwoByte + kTwoByte, true, kThirtyEight + kTwoByte},
		};
		for (const Row& row : rows) {
			field->SetText("");
			if (row.pasted) {
				QGuiApplication::clipboard()->setText(QString::fromStdString(row.input));
				Press(field, Qt::Key_V, Qt::ControlModifier);
			} else {
				Type(field, row.input.c_str());
			}
			EXPECT_EQ(std::string(field->Text()), row.expected) << row.name;
		}
		// At the limit arrows, backspace and delete still work and free room.
		field->SetText("");
		Type(field, (kThirtyEight + "yz").c_str());
		Press(field, Qt::Key_Left);
		Press(field, Qt::Key_Left);
		Press(field, Qt::Key_Backspace);
		Type(field, "!?");
		EXPECT_EQ(std::string(field->Text()), kThirtyEight.substr(0, 37) + "!yz");
		Press(field, Qt::Key_Right);
		Press(field, Qt::Key_Delete);
		Type(field, kTwoByte.c_str());
		EXPECT_EQ(std::string(field->Text()), kThirtyEight.substr(0, 37) + "!y");
		Press(field, Qt::Key_Backspace);
		Type(field, kTwoByte.c_str());
		EXPECT_EQ(std::string(field->Text()), kThirtyEight.substr(0, 37) + "!" + kTwoByte);

		// Select all, cut, paste and copy act on the fields, not on the book.
		Press(field, Qt::Key_A, Qt::ControlModifier);
		Press(field, Qt::Key_X, Qt::ControlModifier);
		EXPECT_STREQ(field->Text(), "");
		Press(fields[2], Qt::Key_V, Qt::ControlModifier);
		EXPECT_EQ(std::string(fields[2]->Text()), kThirtyEight.substr(0, 37) + "!" + kTwoByte);
		Type(fields[3], "Oslo");
		Press(fields[3], Qt::Key_A, Qt::ControlModifier);
		Press(fields[3], Qt::Key_C, Qt::ControlModifier);
		EXPECT_EQ(QGuiApplication::clipboard()->text(), "Oslo");
		EXPECT_EQ(window->GetThisABook()->GetTotalRecordsInThisAB(), 5);
	});
}

TEST_F(RecordDialog, AddAppendsRecordsAndCancelShowsThem)
{
	Run([](ZIBWindow* window) {
		ZIBook* book = window->GetThisABook();
		ZIBEntryWindow* dialog = Open<ZIBEntryWindow>(window, kMsgRecordNew);
		std::vector<MyEntryTextView*> fields = Fields(dialog);
		// Saved while the dialog is open: the next record enables Save again.
		Send(window, kMsgFileSave);
		ASSERT_FALSE(MenuEnabled(window, kMsgFileSave));
		// Enter in a field presses "Add", the default button.
		Type(fields[0], "zoe");
		Type(fields[1], "Zoe");
		Press(fields[1], Qt::Key_Return);
		for (MyEntryTextView* field : fields)
			EXPECT_STREQ(field->Text(), "");
		EXPECT_EQ(dialog->CurrentFocus(), fields[0]);
		Type(fields[20], "1 May");
		Click(Button(dialog, "Add_Button"));

		ASSERT_EQ(book->GetTotalRecordsInThisAB(), 7);
		EXPECT_STREQ(book->getRecord(5)->Field(kFirstNameField), "Zoe");
		EXPECT_STREQ(book->getRecord(6)->Field(kBirthdayField), "1 May");
		EXPECT_EQ(book->GetLastRecord(), book->getRecord(6));
		EXPECT_TRUE(MenuEnabled(window, kMsgFileSave));
		EXPECT_EQ(window->GetABList()->CountItems(), 5) << "not redrawn per record";
		Close(dialog, "Cancel_Button");
		EXPECT_EQ(window->GetABList()->CountItems(), 7);
		EXPECT_EQ(window->GetEntryWindow1(), nullptr);
	});
}

TEST_F(RecordDialog, DoneStoresIntoTheRecordShownWhereverItMoved)
{
	Run([](ZIBWindow* window) {
		ZIBook* book = window->GetThisABook();
		ZIBModifyWindow* dialog = OpenModify(window, 1);
		std::vector<MyEntryTextView*> fields = Fields(dialog);
		EXPECT_STREQ(fields[0]->Text(), "n1");
		int32 start, finish;
		fields[3]->GetSelection(&start, &finish);
		EXPECT_EQ(std::string(fields[3]->Text()).substr(start, finish - start), "Joanne");
		EXPECT_EQ(dialog->CurrentFocus(), fields[0]);
		Type(fields[3], "Jo");
		Type(fields[4], "Lead");
		Close(dialog, "Modify_Button");
		EXPECT_STREQ(book->getRecord(1)->Field(kLastNameField), "Jo");
		EXPECT_STREQ(book->getRecord(1)->Field(kTitleField), "Lead");
		EXPECT_STREQ(book->getRecord(1)->Field(kFirstNameField), "Ben");
		EXPECT_TRUE(Selection(window).empty()) << "the list was refilled";

		// Records deleted before it while the dialog is open: the change
		// still lands on the record shown, at its new row.
		dialog = OpenModify(window, 4);
		Type(Fields(dialog)[0], "x");
		for (int i = 0; i < 2; i++) {
			window->GetABList()->Select(0);
			Send(window, kMsgRecordDelete);
		}
		Close(dialog, "Modify_Button");
		ASSERT_EQ(book->GetTotalRecordsInThisAB(), 3);
		EXPECT_STREQ(book->getRecord(2)->Field(kNicknameField), "x");
		EXPECT_STREQ(book->getRecord(0)->Field(kNicknameField), "n2");

		// The record shown deleted meanwhile: nothing is stored.
		dialog = OpenModify(window, 0);
		Type(Fields(dialog)[0], "y");
		window->GetABList()->Select(0);
		Send(window, kMsgRecordDelete);
		Close(dialog, "Modify_Button");
		ASSERT_EQ(book->GetTotalRecordsInThisAB(), 2);
		for (int32 i = 0; i < 2; i++)
			EXPECT_STRNE(book->getRecord(i)->Field(kNicknameField), "y");

		// No selection, no dialog.
		window->GetABList()->DeselectAll();
		Send(window, kMsgListInvoke);
		EXPECT_EQ(window->GetModifyWindow1(), nullptr);
	});
}

} // namespace
