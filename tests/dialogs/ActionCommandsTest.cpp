#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <AppDefs.h>
#include <Message.h>

#include "ABListView.h"
#include "BrowserLauncher.h"
#include "DialogTest.h"
#include "GuiTest.h"
#include "ZIBWindow.h"

namespace {

using ActionCommands = DialogTest;

TEST_F(ActionCommands, MailCopyAndWebCommandsOfTheSelectedRecords)
{
	Run([this](ZIBWindow* window) {
		window->GetABList()->Select(1);
		window->GetABList()->Select(2, true);
		gui_test::process_events();
		EXPECT_FALSE(MenuEnabled(window, kMsgSendEmail)) << "neither has an e-mail address";
		window->GetABList()->Select(0, true);
		gui_test::process_events();
		Choose(window, "Action", "Send E-mail");
		EXPECT_EQ(fLaunches, (std::vector<std::string>{"application/x-vnd.Be.URL.mailto",
													   "mailto:Ann%20Lee%20%3CANN@x.org%3E"}));
		fLaunches.clear();

		window->GetABList()->Select(0);
		Send(window, kMsgCopyRecord);
		EXPECT_EQ(Clipboard(), "n0\tAnn\t\tLee\t\t\t\t\tOslo\t\t\t\t\t\t\tANN@x.org\t\t\t\t\t\t")
			<< "21 fields, each with its tab, no terminator";
		Send(window, kMsgCopyAddress);
		EXPECT_EQ(Clipboard(), "Ann  Lee \n \n \n \n \nOslo   ");

		Send(window, kMsgOpenWebPage);
		EXPECT_TRUE(fLaunches.empty()) << "n0 has no web address";
		window->GetABList()->Select(3);
		Send(window, kMsgOpenWebPage);
		Choose(window, "Info", "Visit Vornak Software's Web Page");
		EXPECT_EQ(fLaunches,
				  (std::vector<std::string>{"application/x-vnd.Be-NPOS", "http://www.d.org",
											"application/x-vnd.Be-NPOS", kMakerWebPage}));
	});
}

TEST(BrowserLauncher, OpensOnlyWebAndMailAddresses)
{
	const std::pair<const char*, const char*> rows[] = {
		{"www.example.org", "http://www.example.org"},
		{"  https://example.org/a b  ", "https://example.org/a b"},
		{"HTTP://EXAMPLE.ORG", "HTTP://EXAMPLE.ORG"},
		{"example.org:8080/x", "http://example.org:8080/x"},
		{"mailto:ann@example.org", ""},
		{"file:///etc/passwd", ""},
		{"javascript:alert(1)", ""},
		{"-version", "http://-version"},
		{" \t ", ""},
	};
	for (const auto& [url, opened] : rows)
		EXPECT_EQ(BrowserLauncher::WebAddress(url), opened) << url;
	EXPECT_EQ(BrowserLauncher::GoToWebPage("file:///etc/passwd"), B_BAD_VALUE);
	EXPECT_EQ(BrowserLauncher::ComposeMail("file:///etc/passwd"), B_BAD_VALUE);
	BMessage noUrl('imwb');
	EXPECT_EQ(BrowserLauncher::GoToWebPage(&noUrl), B_BAD_VALUE);
}

} // namespace
