#include <string>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

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

	// Chooses the command, then answers the options dialog it opened.
	static PrintOptionsDialog* Show(ZIBWindow* window, uint32 command)
	{
		PrintOptionsDialog* shown = nullptr;
		Send(window, command, [&shown] {
			for (QWidget* widget : QApplication::topLevelWidgets()) {
				if (widget->isVisible() && dynamic_cast<PrintOptionsDialog*>(widget) != nullptr)
					shown = static_cast<PrintOptionsDialog*>(widget);
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
		Send(window, kMsgViewNameEmail);
		Select(window, {0, 1});
		Send(window, kMsgFilePrint);
		EXPECT_EQ(fTitle, "book.zib");
		std::vector<PdfPage> pages = Pages();
		ASSERT_EQ(pages.size(), 1u);
		for (const char* word : {"book.zib", "Email", "Ann", "Lee", "ANN@x.org", "Ben", "Joanne"})
			EXPECT_NE(pages[0].Find(word), nullptr) << word;
		for (const char* word : {"Eve", "City", "Oslo", "n0"})
			EXPECT_EQ(pages[0].Find(word), nullptr) << word;
	});
}

// The dialogs pass their choices on: the layouts themselves are the print
// tests'.
TEST_F(PrintCommands, EnvelopeChoicesAreKeptAndMergeNamesItsFaults)
{
	Run([this](ZIBWindow* window) {
		PrintOptionsDialog* dialog = Show(window, kMsgEnvelope);
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

		dialog = Show(window, kMsgEnvelope);
		ASSERT_NE(dialog, nullptr);
		EXPECT_EQ(dialog->findChild<QComboBox*>("sender")->currentText(), "Ann Lee (n0)");
		Choose(dialog->findChild<QComboBox*>("paper"), 4);
		auto* firstLabel = dialog->findChild<QSpinBox*>("firstLabel");
		QTest::keyClick(firstLabel, Qt::Key_A, Qt::ControlModifier);
		QTest::keyClicks(firstLabel, "5");
		Print(dialog);
		EXPECT_EQ(Pages().size(), 1u);

		// An unknown placeholder is named and nothing is merged.
		Select(window, {1});
		dialog = Show(window, kMsgMailMerge);
		ASSERT_NE(dialog, nullptr);
		auto* merge = dialog->findChild<QPlainTextEdit*>("text");
		QTest::keyClicks(merge, "Hi {First Name} of {Town}");
		Print(dialog);
		EXPECT_TRUE(dialog->isVisible());
		EXPECT_EQ(dialog->findChild<QLabel*>("error")->text(), "No field has the name of {Town}.");
		EXPECT_FALSE(fRender);
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

} // namespace
