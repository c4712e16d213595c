#include <string>
#include <vector>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

#include <AppDefs.h>
#include <MenuBar.h>
#include <MenuItem.h>

#include "ABListView.h"
#include "ABookRecord.h"
#include "ContactExporter.h"
#include "DialogTest.h"
#include "GuiTest.h"
#include "MyEntryTextView.h"
#include "ViewWidget.h"
#include "ZIBEntryWindow.h"
#include "ZIBModifyWindow.h"
#include "ZIBWindow.h"
#include "ZIBook.h"

namespace {

// A file line: the fields given by number, the others empty.
std::string
FileLine(std::initializer_list<std::pair<int, const char*>> fields)
{
	std::vector<std::string> texts(kFieldCount);
	for (const auto& [field, text] : fields)
		texts[field] = text;
	std::string line = texts[0];
	for (int field = 1; field < kFieldCount; field++)
		line += "\t" + texts[field];
	return line;
}

std::vector<std::string>
BookLines(ZIBWindow* window)
{
	std::vector<std::string> lines;
	for (const ABookRecord* record = window->GetThisABook()->GetListOfRecords(); record != nullptr;
		 record = record->GetNextRecord())
		lines.push_back(ZIBook::RecordLine(record));
	return lines;
}

class EditMenu : public DialogTest {
protected:
	void SetUp() override
	{
		DialogTest::SetUp();
		// Lines as a save writes them, so a save can give back the bytes.
		WriteBookFile(fPath, {FileLine({{0, "n0"}, {1, "Ann"}, {3, "Lee"}, {15, "ann@x.org"}}),
							  FileLine({{0, "n1"}, {1, "Ben"}, {16, "ben@y.org"}}),
							  FileLine({{0, "n2"}, {1, "Cleo"}, {3, "Xu"}}),
							  FileLine({{0, "n3"}, {1, "Dan, Jr."}, {3, "Wu"}, {15, "d@z.org"}}),
							  FileLine({{0, "n4"}, {1, "Eve"}})});
		fOriginal = ReadFile(fPath);
	}

	static std::string Label(ZIBWindow* window, uint32 command)
	{
		return window->KeyMenuBar()->FindItem(command)->Label();
	}
	// A shortcut, as a person presses it in the main window.
	static void Shortcut(ZIBWindow* window, Qt::Key key,
						 Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
	{
		QTest::keyClick(BPrivate::ViewWidget::Of(window->GetABList()), key, modifiers);
		gui_test::process_events();
	}
	static void Select(ZIBWindow* window, std::initializer_list<int32> rows)
	{
		window->GetABList()->DeselectAll();
		for (int32 row : rows)
			window->GetABList()->Select(row, true);
		gui_test::process_events();
	}

	std::string fOriginal;
};

} // namespace

TEST_F(EditMenu, EveryKindOfStepUndoesToTheFileBytesAndRedoes)
{
	Run([this](ZIBWindow* window) {
		const std::vector<std::string> lines = BookLines(window);
		for (uint32 command : {kMsgEditUndo, kMsgEditRedo, kMsgEditCut, kMsgEditCopy, kMsgEditClear,
							   kMsgEditDeselect})
			EXPECT_FALSE(MenuEnabled(window, command));
		EXPECT_TRUE(MenuEnabled(window, kMsgEditPaste));

		// Cut rows 1 and 3: copied in both forms, then deleted.
		Select(window, {1, 3});
		EXPECT_TRUE(MenuEnabled(window, kMsgEditDeselect));
		std::vector<const ABookRecord*> cut = {window->GetThisABook()->getRecord(1),
											   window->GetThisABook()->getRecord(3)};
		std::string vcards = ContactExporter::Text(cut, ExportFormat::kVCard30);
		Shortcut(window, Qt::Key_X);
		EXPECT_EQ(BookLines(window), (std::vector<std::string>{lines[0], lines[2], lines[4]}));
		EXPECT_EQ(Clipboard("text/plain"), lines[1] + "\n" + lines[3]);
		EXPECT_EQ(Clipboard("text/vcard"), vcards);
		EXPECT_EQ(Label(window, kMsgEditUndo), "Undo Cut");

		// Paste them back, at the end, selected; a second paste finds them
		// all duplicates, says so and adds nothing.
		Shortcut(window, Qt::Key_V);
		EXPECT_EQ(BookLines(window),
				  (std::vector<std::string>{lines[0], lines[2], lines[4], lines[1], lines[3]}));
		EXPECT_EQ(Selection(window), (std::vector<int32>{3, 4}));
		Shortcut(window, Qt::Key_V);
		EXPECT_EQ(window->GetThisABook()->GetTotalRecordsInThisAB(), 5);
		EXPECT_NE(TakeReport().find("not added"), std::string::npos);
		EXPECT_EQ(Label(window, kMsgEditUndo), "Undo Paste");

		// Copy, then Clear one record; Deselect.
		Select(window, {0});
		Shortcut(window, Qt::Key_C);
		EXPECT_EQ(Clipboard("text/plain"), lines[0]);
		Shortcut(window, Qt::Key_B);
		EXPECT_EQ(Label(window, kMsgEditUndo), "Undo Delete");
		Select(window, {1});
		Choose(window, "Edit", "Deselect");
		EXPECT_TRUE(Selection(window).empty());
		EXPECT_FALSE(MenuEnabled(window, kMsgEditDeselect));

		// The record dialogs: a record changed, a record added.
		Select(window, {0});
		ZIBModifyWindow* modify = Open<ZIBModifyWindow>(window, kMsgRecordModify);
		Type(Fields(modify)[kFirstNameField], "Cleopatra");
		Close(modify, "Modify_Button");
		EXPECT_STREQ(window->GetThisABook()->getRecord(0)->Field(kFirstNameField), "Cleopatra");
		EXPECT_EQ(Label(window, kMsgEditUndo), "Undo Modify");
		ZIBEntryWindow* entry = Open<ZIBEntryWindow>(window, kMsgRecordNew);
		Type(Fields(entry)[kNicknameField], "n5");
		Click(Button(entry, "Add_Button"));
		Close(entry, "Cancel_Button");
		EXPECT_EQ(Label(window, kMsgEditUndo), "Undo Add");

		// Select All, then Clear: the whole book.
		const std::vector<std::string> beforeClear = BookLines(window);
		Choose(window, "Edit", "Select All");
		Shortcut(window, Qt::Key_B);
		EXPECT_EQ(window->GetThisABook()->GetTotalRecordsInThisAB(), 0);

		// Undo brings every record back, selected, and names the step.
		Shortcut(window, Qt::Key_Z);
		EXPECT_EQ(Selection(window), (std::vector<int32>{0, 1, 2, 3, 4}));
		EXPECT_EQ(Label(window, kMsgEditRedo), "Redo Delete");
		EXPECT_TRUE(MenuEnabled(window, kMsgEditCut));
		std::vector<std::string> undone;
		for (int i = 0; i < 20 && MenuEnabled(window, kMsgEditUndo); i++) {
			undone.push_back(Label(window, kMsgEditUndo));
			Shortcut(window, Qt::Key_Z);
		}
		EXPECT_EQ(undone, (std::vector<std::string>{"Undo Add", "Undo Modify", "Undo Delete",
													"Undo Paste", "Undo Cut"}));
		EXPECT_EQ(BookLines(window), lines);
		EXPECT_TRUE(MenuEnabled(window, kMsgFileSave)) << "undoing changes the book";
		Shortcut(window, Qt::Key_S);
		EXPECT_EQ(ReadFile(fPath), fOriginal);

		for (int i = 0; i < 20 && MenuEnabled(window, kMsgEditRedo); i++)
			Shortcut(window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
		EXPECT_EQ(window->GetThisABook()->GetTotalRecordsInThisAB(), 0);
		EXPECT_FALSE(MenuEnabled(window, kMsgEditRedo));
		Shortcut(window, Qt::Key_Z);
		EXPECT_EQ(BookLines(window), beforeClear);
	});
}

TEST_F(EditMenu, PasteTakesAnotherProgramsCardsAndReportsWhatDidNotFit)
{
	Run([](ZIBWindow* window) {
		auto* cards = new QMimeData;
		cards->setData("text/vcard",
					   "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Moe;Zed;;;\r\nORG:" + QByteArray(45, 'o') +
						   "\r\nEMAIL:zed@m.org\r\nEND:VCARD\r\n");
		QGuiApplication::clipboard()->setMimeData(cards);
		Shortcut(window, Qt::Key_V);
		ASSERT_EQ(window->GetThisABook()->GetTotalRecordsInThisAB(), 6);
		EXPECT_STREQ(window->GetThisABook()->getRecord(5)->Field(kFirstNameField), "Zed");
		EXPECT_EQ(Selection(window), std::vector<int32>{5});
		EXPECT_TRUE(MenuEnabled(window, kMsgFileSave));
		EXPECT_NE(TakeReport().find("cut: Company"), std::string::npos);

		// Text that holds no records adds nothing and is no step.
		QGuiApplication::clipboard()->setText("just a note");
		Shortcut(window, Qt::Key_V);
		EXPECT_EQ(window->GetThisABook()->GetTotalRecordsInThisAB(), 6);
		EXPECT_EQ(Label(window, kMsgEditUndo), "Undo Paste");
		Shortcut(window, Qt::Key_Z);
		EXPECT_EQ(window->GetThisABook()->GetTotalRecordsInThisAB(), 5);
	});
}
