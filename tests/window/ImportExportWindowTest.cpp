#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <gtest/gtest.h>

#include <AppDefs.h>
#include <Application.h>
#include <FilePanel.h>
#include <MenuBar.h>
#include <MenuItem.h>

#include "ABListView.h"
#include "AppHarness.h"
#include "GuiTest.h"
#include "ImportReportWindow.h"
#include "ZIBWindow.h"
#include "ZIBapp.h"
#include "ZIBook.h"

namespace {

const char kCards[] = "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Lee;Ann\r\nNICKNAME:ann\r\n"
					  "EMAIL:ann@example.org\r\nPHOTO;ENCODING=BASE64:AAAA\r\nEND:VCARD\r\n";
const char kRows[] = "Nickname,Company\nco,A Company Name That Is Far Longer Than Forty\nbob,\n";

ImportReportWindow*
ReportWindow()
{
	for (int32 i = 0; i < be_app->CountWindows(); i++) {
		if (auto* report = dynamic_cast<ImportReportWindow*>(be_app->WindowAt(i)))
			return report;
	}
	return nullptr;
}

class ImportExport : public AppTest {
protected:
	void SetUp() override
	{
		AppTest::SetUp();
		fPath = PathOf("book.zib");
		WriteBookFile(fPath, {"bob\tBob"});
		std::ofstream(PathOf("cards.vcf")) << kCards;
		std::ofstream(PathOf("rows.csv")) << kRows;
	}

	std::string fPath;
};

// Files chosen in the import panel come into the book, which is changed but
// not written, and a report names what did not fit.
TEST_F(ImportExport, ImportPanelAddsRecordsAndReports)
{
	RunApp({fPath}, [this](ZIBapp* app) {
		ZIBWindow* window = WindowAt(app, 0);
		Send(window, kMsgFileImport);
		ASSERT_NE(window->GetImportPanel(), nullptr);
		ASSERT_TRUE(window->GetImportPanel()->IsShowing());
		BPrivate::accept_file_panel(window->GetImportPanel(),
									{PathOf("cards.vcf"), PathOf("rows.csv")});
		ASSERT_TRUE(gui_test::process_until([] { return ReportWindow() != nullptr; }));

		EXPECT_EQ(window->GetThisABook()->GetTotalRecordsInThisAB(), 3);
		EXPECT_EQ(window->GetABList()->CountItems(), 3);
		EXPECT_TRUE(MenuEnabled(window, kMsgFileSave));
		EXPECT_EQ(ReadFile(fPath), "bob\tBob\n") << "nothing is written before a save";
		std::string report = ReportWindow()->Text();
		for (const char* item : {"2 records added", "dropped: PHOTO", "cut: Company",
								 "rows.csv, row 3 (bob): equals Bob; not added"})
			EXPECT_NE(report.find(item), std::string::npos) << item << "\n" << report;
		ReportWindow()->PostMessage(B_QUIT_REQUESTED);
		gui_test::process_until([] { return ReportWindow() == nullptr; });

		// The import is one step.
		EXPECT_STREQ(window->KeyMenuBar()->FindItem(kMsgEditUndo)->Label(), "Undo Import");
		Send(window, kMsgEditUndo);
		EXPECT_EQ(window->GetThisABook()->GetTotalRecordsInThisAB(), 1);
		Send(window, kMsgEditRedo);
		EXPECT_EQ(window->GetABList()->CurrentSelection(1), 2) << "the imported records";
	});
}

// The export panel writes the chosen format: the selected record, or all.
TEST_F(ImportExport, ExportPanelWritesTheChosenFormat)
{
	WriteBookFile(fPath, {"bob\tBob", "ann\tAnn"});
	RunApp({fPath}, [this](ZIBapp* app) {
		ZIBWindow* window = WindowAt(app, 0);
		Send(window, kMsgFileExport);
		ASSERT_NE(window->GetExportPanel(), nullptr);
		BPrivate::select_file_panel_choice(window->GetExportPanel(), 2);
		BPrivate::accept_file_panel(window->GetExportPanel(), {PathOf("all.csv")});
		gui_test::process_events();
		std::string csv = ReadFile(PathOf("all.csv"));
		EXPECT_EQ(csv.find("Nickname,First Name,"), 0u) << csv;
		EXPECT_NE(csv.find("\r\nbob,Bob,"), std::string::npos);
		EXPECT_NE(csv.find("\r\nann,Ann,"), std::string::npos);

		window->GetABList()->Select(1);
		Send(window, kMsgFileExport);
		BPrivate::select_file_panel_choice(window->GetExportPanel(), 1);
		BPrivate::accept_file_panel(window->GetExportPanel(), {PathOf("one.vcf")});
		gui_test::process_events();
		std::string card = ReadFile(PathOf("one.vcf"));
		EXPECT_EQ(card.find("BEGIN:VCARD\r\nVERSION:4.0\r\n"), 0u) << card;
		EXPECT_NE(card.find("NICKNAME:ann"), std::string::npos);
		EXPECT_EQ(card.find("BEGIN:VCARD", 1), std::string::npos) << "one card only";
	});
}

// vCard and CSV files dropped on a main window are imported; a book file
// dropped on it opens in a window of its own.
TEST_F(ImportExport, DroppedFilesImportOrOpen)
{
	std::string other = PathOf("other.zib");
	WriteBookFile(other, {"zed"});
	RunApp({fPath}, [&](ZIBapp* app) {
		ZIBWindow* window = WindowAt(app, 0);
		QWidget* widget = nullptr;
		for (QWidget* candidate : QApplication::topLevelWidgets()) {
			if (candidate->isVisible() && candidate->windowTitle() == "book.zib")
				widget = candidate;
		}
		ASSERT_NE(widget, nullptr);
		QMimeData files;
		files.setUrls({QUrl::fromLocalFile(QString::fromStdString(PathOf("cards.vcf"))),
					   QUrl::fromLocalFile(QString::fromStdString(other))});
		// Entering, then dropping, as the desktop delivers a drag.
		QDragEnterEvent enter(QPoint(20, 60), Qt::CopyAction, &files, Qt::LeftButton,
							  Qt::NoModifier);
		QApplication::sendEvent(widget, &enter);
		EXPECT_TRUE(enter.isAccepted());
		QDropEvent drop(QPointF(20, 60), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
		QApplication::sendEvent(widget, &drop);
		EXPECT_TRUE(gui_test::process_until(
			[&] { return window->GetThisABook()->GetTotalRecordsInThisAB() == 2; }));
		EXPECT_TRUE(gui_test::process_until([&] { return CountWindows(app) == 2; }));
		EXPECT_NE(ReportWindow(), nullptr);
	});
}

} // namespace
