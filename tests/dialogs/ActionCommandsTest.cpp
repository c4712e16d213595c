#include <string>
#include <vector>

#include <QClipboard>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <Clipboard.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Message.h>
#include <Roster.h>
#include <TypeConstants.h>

#include "ABListView.h"
#include "BrowserLauncher.h"
#include "DialogTest.h"
#include "GuiTest.h"
#include "ZIBWindow.h"

namespace {

class ActionCommands : public DialogTest {
protected:
	void SetUp() override
	{
		DialogTest::SetUp();
		BPrivate::set_launch_handler(
			[this](const char* signature, const std::vector<std::string>& args) {
				fLaunches.push_back(signature);
				fLaunches.insert(fLaunches.end(), args.begin(), args.end());
				return B_OK;
			});
	}
	void TearDown() override
	{
		BPrivate::set_launch_handler(nullptr);
		DialogTest::TearDown();
	}

	// The bytes of be_clipboard's "text/plain" item.
	static std::string ClipboardBytes()
	{
		std::string bytes;
		if (!be_clipboard->Lock())
			return bytes;
		const void* data = nullptr;
		ssize_t size = 0;
		if (be_clipboard->Data()->FindData("text/plain", B_MIME_TYPE, &data, &size) == B_OK)
			bytes.assign(static_cast<const char*>(data), size);
		be_clipboard->Unlock();
		return bytes;
	}

	std::vector<std::string> fLaunches;
};

TEST_F(ActionCommands, CopyPutsTheRecordOrItsAddressOnTheClipboard)
{
	Run([](ZIBWindow* window) {
		window->GetABList()->Select(0);
		Send(window, kMsgCopyRecord);
		const std::string line = "n0\tAnn\t\tLee\t\t\t\t\tOslo\t\t\t\t\t\t\tANN@x.org\t\t\t\t\t\t";
		EXPECT_EQ(ClipboardBytes(), line) << "21 fields, each with its tab, no terminator";
		EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), line);

		Send(window, kMsgCopyAddress);
		const std::string address = "Ann  Lee \n \n \n \n \nOslo   ";
		EXPECT_EQ(ClipboardBytes(), address);
		EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), address);
	});
}

TEST_F(ActionCommands, WebCommandsOpenTheBrowser)
{
	Run([this](ZIBWindow* window) {
		window->GetABList()->Select(0);
		Send(window, kMsgOpenWebPage);
		EXPECT_TRUE(fLaunches.empty()) << "n0 has no web address";
		window->GetABList()->Select(3);
		Send(window, kMsgOpenWebPage);
		window->KeyMenuBar()->FindItem(kMsgInfoWeb)->Invoke();
		gui_test::process_events();
		EXPECT_EQ(fLaunches,
				  (std::vector<std::string>{"application/x-vnd.Be-NPOS", "http://www.d.org",
											"application/x-vnd.Be-NPOS", kMakerWebPage}));
	});
}

TEST(BrowserLauncher, OpensOnlyWebAddresses)
{
	struct Row {
		const char* url;
		const char* opened;
	};
	const Row rows[] = {
		{"www.example.org", "http://www.example.org"},
		{"  https://example.org/a b  ", "https://example.org/a b"},
		{"HTTP://EXAMPLE.ORG", "HTTP://EXAMPLE.ORG"},
		{"example.org:8080/x", "http://example.org:8080/x"},
		{"mailto:ann@example.org", ""},
		{"file:///etc/passwd", ""},
		{"javascript:alert(1)", ""},
		{"-version", "http://-version"},
		{"", ""},
		{" \t ", ""},
	};
	for (const Row& row : rows) {
		SCOPED_TRACE(row.url);
		EXPECT_EQ(BrowserLauncher::WebAddress(row.url), row.opened);
	}
	EXPECT_EQ(BrowserLauncher::GoToWebPage("file:///etc/passwd"), B_BAD_VALUE);
	BMessage noUrl('imwb');
	EXPECT_EQ(BrowserLauncher::GoToWebPage(&noUrl), B_BAD_VALUE);
}

} // namespace
