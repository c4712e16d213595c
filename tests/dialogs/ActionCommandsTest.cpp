#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <AppDefs.h>
#include <Message.h>

#include "ABListView.h"
#include "BrowserLauncher.h"
#include "DialogTest.h"
#include "ZIBWindow.h"

namespace {

using ActionCommands = DialogTest;

TEST_F(ActionCommands, MailAndWebCommandsOfTheSelectedRecords)
{
	Run([this](ZIBWindow* window) {
		Select(window, {1, 2});
		EXPECT_FALSE(MenuEnabled(window, kMsgSendEmail)) << "neither has an e-mail address";
		Select(window, {0, 1, 2});
		Choose(window, "Action", "Send E-mail");
		EXPECT_EQ(fLaunches, (std::vector<std::string>{"application/x-vnd.Be.URL.mailto",
													   "mailto:Ann%20Lee%20%3CANN@x.org%3E"}));
		fLaunches.clear();

		window->GetABList()->Select(0);
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
