#include <stdlib.h>

#include <filesystem>
#include <string>

#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include <AppDefs.h>
#include <Application.h>
#include <MenuBar.h>

#include "ABListView.h"
#include "ABookRecord.h"
#include "CardDavServer.h"
#include "DialogTest.h"
#include "GuiTest.h"
#include "ImportReportWindow.h"
#include "MyEntryTextView.h"
#include "SyncAccountWindow.h"
#include "ViewWidget.h"
#include "ZIBWindow.h"
#include "ZIBook.h"

namespace {

const char kCard[] = "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:zed-1\r\nFN:Zed Ray\r\nN:Ray;Zed;;;\r\n"
					 "NICKNAME:zed\r\nX-PHONE-EXTRA:kept\r\nEND:VCARD\r\n";

template <typename T>
T*
OpenWindow()
{
	for (int32 i = 0; i < be_app->CountWindows(); i++) {
		if (auto* window = dynamic_cast<T*>(be_app->WindowAt(i)))
			return window;
	}
	return nullptr;
}

QAction*
ActionNamed(const QList<QAction*>& actions, const QString& text)
{
	for (QAction* action : actions) {
		if (action->text() == text)
			return action;
	}
	return nullptr;
}

// Synchronize against a real Radicale, driven through the menu and the
// dialog with real mouse and key events; no secret service runs.
class SyncDialog : public DialogTest {
protected:
	void SetUp() override
	{
		DialogTest::SetUp();
		unsetenv("DBUS_SESSION_BUS_ADDRESS");
		std::string error;
		ASSERT_TRUE(
			fServer.Start(CardDavServer::kRadicale, PathOf("server"), &error, {{"zed.vcf", kCard}}))
			<< error;
	}

	// Clicks "File", then "Synchronize...".
	static void ChooseSynchronize(ZIBWindow* window)
	{
		auto* bar =
			qobject_cast<QMenuBar*>(BPrivate::ViewWidget::Of(window->KeyMenuBar())->Inner());
		ASSERT_NE(bar, nullptr);
		QAction* file = ActionNamed(bar->actions(), "File");
		ASSERT_NE(file, nullptr);
		QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->actionGeometry(file).center());
		QMenu* menu = file->menu();
		ASSERT_TRUE(gui_test::process_until([menu] { return menu->isVisible(); }));
		QAction* sync = ActionNamed(menu->actions(), "Synchronize...");
		ASSERT_NE(sync, nullptr);
		ASSERT_TRUE(sync->isEnabled());
		QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
						  menu->actionGeometry(sync).center());
		gui_test::process_events();
	}

	// Waits for the sync's report and answers its text, then closes it.
	static std::string FinishedReport()
	{
		std::string text;
		EXPECT_TRUE(gui_test::process_until([&text] {
			ImportReportWindow* report = OpenWindow<ImportReportWindow>();
			text = report != nullptr ? report->Text() : "";
			return text.rfind("In this book:", 0) == 0;
		}));
		OpenWindow<ImportReportWindow>()->PostMessage(B_QUIT_REQUESTED);
		gui_test::process_until([] { return OpenWindow<ImportReportWindow>() == nullptr; });
		return text;
	}

	CardDavServer fServer;
};

TEST_F(SyncDialog, FirstSyncAsksTheAccountAndBringsBothSidesTogether)
{
	Run([this](ZIBWindow* window) {
		ChooseSynchronize(window);
		ASSERT_TRUE(
			gui_test::process_until([] { return OpenWindow<SyncAccountWindow>() != nullptr; }));
		SyncAccountWindow* dialog = OpenWindow<SyncAccountWindow>();
		std::vector<MyEntryTextView*> fields = Fields(dialog);
		ASSERT_EQ(fields.size(), 3u);
		Type(fields[0], fServer.Address().c_str());
		Type(fields[1], fServer.User().c_str());
		Type(fields[2], "wrong");
		Click(Button(dialog, "Synchronize_Button"));

		// A refused password asks again, with the account filled in.
		ASSERT_TRUE(gui_test::process_until([] {
			SyncAccountWindow* again = OpenWindow<SyncAccountWindow>();
			return again != nullptr && Fields(again)[0]->TextLength() > 0;
		}));
		dialog = OpenWindow<SyncAccountWindow>();
		fields = Fields(dialog);
		EXPECT_EQ(std::string(fields[1]->Text()), fServer.User());
		// A typo, taken back, shows as stars only.
		Type(fields[2], (fServer.Password() + "x").c_str());
		Press(fields[2], Qt::Key_Backspace);
		EXPECT_EQ(std::string(fields[2]->Text()), std::string(10, '*'));
		Click(Button(dialog, "Synchronize_Button"));

		std::string report = FinishedReport();
		EXPECT_EQ(report.find("In this book: 1 added, 0 changed, 0 deleted. On the server: 5 "
							  "added, 0 changed, 0 deleted.\n"),
				  0u)
			<< report;
		ZIBook* book = window->GetThisABook();
		EXPECT_EQ(book->GetTotalRecordsInThisAB(), 6);
		EXPECT_EQ(std::string(book->GetLastRecord()->Field(0)), "zed");
		EXPECT_EQ(window->GetABList()->CountItems(), 6);
		EXPECT_FALSE(book->SeeIfDirty()) << "the book is saved before the state is committed";
		EXPECT_NE(ReadFile(fPath).find("zed\tZed"), std::string::npos);
		const std::filesystem::path cards =
			PathOf("server") + "/storage/collection-root/alice/book";
		int count = 0;
		for (const auto& entry : std::filesystem::directory_iterator(cards))
			count += entry.path().extension() == ".vcf";
		EXPECT_EQ(count, 6);
		EXPECT_NE(ReadFile((cards / "zed.vcf").string()).find("X-PHONE-EXTRA:kept"),
				  std::string::npos);

		// The account and this session's password are remembered.
		ChooseSynchronize(window);
		report = FinishedReport();
		EXPECT_EQ(OpenWindow<SyncAccountWindow>(), nullptr);
		EXPECT_EQ(report, "In this book: 0 added, 0 changed, 0 deleted. On the server: 0 added, "
						  "0 changed, 0 deleted.\n");
		EXPECT_EQ(window->GetThisABook()->GetTotalRecordsInThisAB(), 6);
	});
}

} // namespace
