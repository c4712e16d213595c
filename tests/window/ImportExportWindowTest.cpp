#include <fstream>

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

ImportReportWindow*
ReportWindow()
{
	for (int32 i = 0; i < be_app->CountWindows(); i++) {
		if (auto* report = dynamic_cast<ImportReportWindow*>(be_app->WindowAt(i)))
			return report;
	}
	return nullptr;
}

// A vCard file dropped on a main window is imported, in one step and not yet
// written; a book file dropped on it opens in a window of its own.
TEST_F(AppTest, DroppedFilesImportOrOpen)
{
	std::string path = PathOf("book.zib");
	std::string other = PathOf("other.zib");
	WriteBookFile(path, {"bob\tBob"});
	WriteBookFile(other, {"zed"});
	std::ofstream(PathOf("cards.vcf")) << kCards;
	RunApp({path}, [&](ZIBapp* app) {
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
		ASSERT_NE(ReportWindow(), nullptr);
		EXPECT_NE(std::string(ReportWindow()->Text()).find("dropped: PHOTO"), std::string::npos);
		EXPECT_EQ(ReadFile(path), "bob\tBob\n") << "nothing is written before a save";
		EXPECT_STREQ(window->KeyMenuBar()->FindItem(kMsgEditUndo)->Label(), "Undo Import");
	});
}

// The export panel writes the chosen format: the selected record, or all.
TEST_F(AppTest, ExportPanelWritesTheChosenFormat)
{
	std::string path = PathOf("book.zib");
	WriteBookFile(path, {"bob\tBob", "ann\tAnn"});
	RunApp({path}, [this](ZIBapp* app) {
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

} // namespace
