#include <stdlib.h>

#include <string>

#include <gtest/gtest.h>

#include <AppDefs.h>

#include "ABListView.h"
#include "ABookRecord.h"
#include "CardDavServer.h"
#include "DialogTest.h"
#include "GuiTest.h"
#include "MyEntryTextView.h"
#include "SyncAccountWindow.h"
#include "ZIBWindow.h"
#include "ZIBook.h"

namespace {

const char kCard[] = "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:zed-1\r\nFN:Zed Ray\r\nN:Ray;Zed;;;\r\n"
					 "NICKNAME:zed\r\nEND:VCARD\r\n";

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

	CardDavServer fServer;
};

TEST_F(SyncDialog, FirstSyncAsksTheAccountAndBringsBothSidesTogether)
{
	Run([this](ZIBWindow* window) {
		Choose(window, "File", "Synchronize...");
		ASSERT_TRUE(gui_test::process_until([] { return Find<SyncAccountWindow>() != nullptr; }));
		SyncAccountWindow* dialog = Find<SyncAccountWindow>();
		std::vector<MyEntryTextView*> fields = Fields(dialog);
		ASSERT_EQ(fields.size(), 3u);
		Type(fields[0], fServer.Address().c_str());
		Type(fields[1], fServer.User().c_str());
		Type(fields[2], "wrong");
		Click(Button(dialog, "Synchronize_Button"));

		// A refused password asks again, with the account filled in.
		ASSERT_TRUE(gui_test::process_until([] {
			SyncAccountWindow* again = Find<SyncAccountWindow>();
			return again != nullptr && Fields(again)[0]->TextLength() > 0;
		}));
		dialog = Find<SyncAccountWindow>();
		fields = Fields(dialog);
		EXPECT_EQ(std::string(fields[1]->Text()), fServer.User());
		// A typo, taken back, shows as stars only.
		Type(fields[2], (fServer.Password() + "x").c_str());
		Press(fields[2], Qt::Key_Backspace);
		EXPECT_EQ(std::string(fields[2]->Text()), std::string(10, '*'));
		Click(Button(dialog, "Synchronize_Button"));

		std::string report = TakeReport("In this book:");
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

		// The account and this session's password are remembered.
		Choose(window, "File", "Synchronize...");
		report = TakeReport("In this book:");
		EXPECT_EQ(Find<SyncAccountWindow>(), nullptr);
		EXPECT_EQ(report, "In this book: 0 added, 0 changed, 0 deleted. On the server: 0 added, "
						  "0 changed, 0 deleted.\n");
		EXPECT_EQ(window->GetThisABook()->GetTotalRecordsInThisAB(), 6);
	});
}

} // namespace
