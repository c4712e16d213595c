#include <filesystem>
#include <string>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include "ABListView.h"
#include "DialogTest.h"
#include "GuiTest.h"
#include "PdfPages.h"
#include "PreferenceSet.h"
#include "Preferences.h"
#include "PrintOptionsDialog.h"
#include "PrintPreview.h"
#include "ZIBWindow.h"

namespace {

// The book's records: n0 Ann Lee of Oslo, n1 Ben Joanne, n2, n3, n4 Eve.
class PrintCommands : public DialogTest {
protected:
	void SetUp() override
	{
		DialogTest::SetUp();
		SetPrintPreviewSeam([this](const std::string& title, PageRenderer render) {
			fTitle = title;
			fRender = std::move(render);
		});
	}

	void TearDown() override
	{
		SetPrintPreviewSeam(nullptr);
		DialogTest::TearDown();
	}

	// The pages the last preview showed, read back from a PDF of them.
	std::vector<PdfPage> Pages()
	{
		if (!fRender)
			return {};
		std::string path = PathOf("preview.pdf");
		{
			QPdfWriter writer(QString::fromStdString(path));
			EXPECT_TRUE(fRender(&writer));
		}
		fRender = nullptr;
		return PdfPages(path);
	}

	// Chooses the command, then answers the window of type Shown it opened.
	template <class Shown> static Shown* Show(ZIBWindow* window, uint32 command)
	{
		Shown* shown = nullptr;
		Send(window, command, [&shown] {
			for (QWidget* widget : QApplication::topLevelWidgets()) {
				if (auto* found = dynamic_cast<Shown*>(widget);
					found != nullptr && found->isVisible())
					shown = found;
			}
			return shown != nullptr;
		});
		return shown;
	}

	static void Print(PrintOptionsDialog* dialog)
	{
		QTest::mouseClick(dialog->findChild<QPushButton*>("print"), Qt::LeftButton);
		gui_test::process_events();
	}

	static void Choose(QComboBox* combo, int downs)
	{
		QTest::keyClick(combo, Qt::Key_Home);
		for (int i = 0; i < downs; i++)
			QTest::keyClick(combo, Qt::Key_Down);
	}

	std::string fTitle;
	PageRenderer fRender;
};

TEST_F(PrintCommands, PrintShowsTheSelectedRowsInTheWindowsColumnsInAPreview)
{
	Run([this](ZIBWindow* window) {
		for (uint32 command : {kMsgFilePrint, kMsgEnvelope, kMsgLetter, kMsgMailMerge})
			EXPECT_TRUE(MenuEnabled(window, command)) << command;
		EXPECT_FALSE(MenuEnabled(window, kMsgFax));

		Send(window, kMsgViewNameEmail);
		window->GetABList()->Select(0);
		window->GetABList()->Select(1, true);
		Send(window, kMsgFilePrint);
		EXPECT_EQ(fTitle, "book.zib");
		std::vector<PdfPage> pages = Pages();
		ASSERT_EQ(pages.size(), 1u);
		for (const char* word : {"book.zib", "Email", "Ann", "Lee", "ANN@x.org", "Ben", "Joanne"})
			EXPECT_NE(pages[0].Find(word), nullptr) << word;
		for (const char* word : {"Eve", "City", "Oslo", "n0"})
			EXPECT_EQ(pages[0].Find(word), nullptr) << word;

		// Without the seam the desktop's preview opens, and deletes itself
		// when closed.
		SetPrintPreviewSeam(nullptr);
		QPointer<QPrintPreviewDialog> preview = Show<QPrintPreviewDialog>(window, kMsgFilePrint);
		ASSERT_NE(preview, nullptr);
		EXPECT_EQ(preview->windowTitle(), "book.zib");
		preview->close();
		EXPECT_TRUE(gui_test::process_until([preview] { return preview.isNull(); }));
	});
}

TEST_F(PrintCommands, EnvelopeChoicesAreKeptAndLabelsStartWhereAsked)
{
	Run([this](ZIBWindow* window) {
		PrintOptionsDialog* dialog = Show<PrintOptionsDialog>(window, kMsgEnvelope);
		ASSERT_NE(dialog, nullptr);
		auto* sender = dialog->findChild<QComboBox*>("sender");
		Choose(sender, 1);
		ASSERT_EQ(sender->currentText(), "Ann Lee (n0)");
		Print(dialog);
		std::vector<PdfPage> pages = Pages();
		// Every record, as none is selected; Ben's with Ann's address.
		ASSERT_EQ(pages.size(), 5u);
		EXPECT_NE(pages[1].Find("Oslo"), nullptr);
		EXPECT_NE(pages[1].Find("Joanne"), nullptr);

		dialog = Show<PrintOptionsDialog>(window, kMsgEnvelope);
		ASSERT_NE(dialog, nullptr);
		EXPECT_EQ(dialog->findChild<QComboBox*>("sender")->currentText(), "Ann Lee (n0)");
		Choose(dialog->findChild<QComboBox*>("paper"), 4);
		auto* firstLabel = dialog->findChild<QSpinBox*>("firstLabel");
		QTest::keyClick(firstLabel, Qt::Key_A, Qt::ControlModifier);
		QTest::keyClicks(firstLabel, "5");
		Print(dialog);
		pages = Pages();
		ASSERT_EQ(pages.size(), 1u);
		// Label 5 of an L7160 sheet: second row, middle column.
		const PdfWord* ann = pages[0].Find("Ann");
		ASSERT_NE(ann, nullptr);
		EXPECT_NEAR(ann->left, (7.21 + 66.04 + 4) * kPointsPerMm, 2);
		EXPECT_GT(ann->top, (15.15 + 38.1) * kPointsPerMm);
		EXPECT_LT(ann->top, (15.15 + 2 * 38.1) * kPointsPerMm);
	});
	// The application saved the choices with its settings; the dialog shows
	// them again, as the sender above.
	Preferences preferences("x-vnd.vornak-zibmo");
	PreferenceSet settings(preferences, "settings", true);
	PrintSettings kept = PrintSettings::Load(&settings);
	EXPECT_EQ(kept.paper, PaperChoice::kL7160);
	EXPECT_EQ(kept.firstLabel, 5);
	EXPECT_EQ(kept.sender, "n0");
}

TEST_F(PrintCommands, LetterAndMergeOfTheSelectedRecord)
{
	Run([this](ZIBWindow* window) {
		window->GetABList()->Select(1);
		gui_test::process_events();
		PrintOptionsDialog* dialog = Show<PrintOptionsDialog>(window, kMsgLetter);
		ASSERT_NE(dialog, nullptr);
		QTest::keyClicks(dialog->findChild<QPlainTextEdit*>("text"), "Thanks for the ferns.");
		Print(dialog);
		std::vector<PdfPage> pages = Pages();
		ASSERT_EQ(pages.size(), 1u);
		std::string text = pages[0].Text();
		EXPECT_NE(text.find("Dear Ben Joanne, Thanks for the ferns."), std::string::npos) << text;

		// An unknown placeholder is named and nothing is merged.
		dialog = Show<PrintOptionsDialog>(window, kMsgMailMerge);
		ASSERT_NE(dialog, nullptr);
		auto* merge = dialog->findChild<QPlainTextEdit*>("text");
		QTest::keyClicks(merge, "Hi {First Name} of {Town}");
		Print(dialog);
		EXPECT_TRUE(dialog->isVisible());
		EXPECT_EQ(dialog->findChild<QLabel*>("error")->text(), "No field has the name of {Town}.");
		EXPECT_FALSE(fRender);

		std::filesystem::create_directory(PathOf("merged"));
		merge->clear();
		QTest::keyClicks(merge, "Hi {First Name}");
		QTest::keyClicks(dialog->findChild<QLineEdit*>("folder"),
						 QString::fromStdString(PathOf("merged")));
		// Written: the dialog closes and deletes itself.
		QPointer<PrintOptionsDialog> closing(dialog);
		Print(dialog);
		EXPECT_FALSE(fRender);
		EXPECT_EQ(ReadFile(PathOf("merged/001 Ben Joanne.txt")), "Hi Ben");
		EXPECT_TRUE(gui_test::process_until([closing] { return closing.isNull(); }));
	});
}

} // namespace
