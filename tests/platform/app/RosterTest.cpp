#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <OS.h>
#include <Roster.h>

#include "TestDirectory.h"

namespace {

const char* const kBrowser = "application/x-vnd.Be-NPOS";

// Puts a stand-in xdg-open first on PATH that writes its arguments, one a
// line, to a file, so the real launch path runs without opening a browser.
class RosterLaunch : public TestDirectory {
protected:
	void SetUp() override
	{
		TestDirectory::SetUp();
		fSavedPath = getenv("PATH") != nullptr ? getenv("PATH") : "";
		std::string opener = PathOf("xdg-open");
		std::ofstream(opener) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > "
							  << PathOf("opened.tmp") << " && mv " << PathOf("opened.tmp") << ' '
							  << PathOf("opened") << '\n';
		chmod(opener.c_str(), 0700);
		setenv("PATH", (fPath.string() + ":" + fSavedPath).c_str(), 1);
	}
	void TearDown() override
	{
		setenv("PATH", fSavedPath.c_str(), 1);
		BPrivate::set_launch_handler(nullptr);
		TestDirectory::TearDown();
	}

	// The lines the stand-in wrote, once it has run.
	std::vector<std::string> Opened()
	{
		for (int i = 0; i < 1000 && !std::ifstream(PathOf("opened")); i++)
			snooze(10000);
		std::ifstream file(PathOf("opened"));
		std::vector<std::string> lines;
		for (std::string line; std::getline(file, line);)
			lines.push_back(line);
		return lines;
	}

	std::string fSavedPath;
};

TEST_F(RosterLaunch, BrowserGetsTheUrlAsOneArgumentWithoutAShell)
{
	const char* url = "https://example.org/a b?q=1&r=$(touch pwned);x";
	team_id team = -1;
	ASSERT_EQ(be_roster->Launch(kBrowser, 1, &url, &team), B_OK);
	EXPECT_GT(team, 0);
	EXPECT_EQ(Opened(), std::vector<std::string>{url});
	EXPECT_FALSE(std::ifstream(PathOf("pwned")));
}

TEST_F(RosterLaunch, RefusesWhatItCannotStart)
{
	const char* url = "https://example.org/";
	EXPECT_EQ(be_roster->Launch(kBrowser, 0, &url), B_BAD_VALUE);
	const char* missing[] = {nullptr};
	EXPECT_EQ(be_roster->Launch(kBrowser, 1, missing), B_BAD_VALUE);
	EXPECT_EQ(be_roster->Launch("application/x-vnd.unknown", 1, &url), B_LAUNCH_FAILED);
	setenv("PATH", PathOf("nowhere").c_str(), 1);
	EXPECT_EQ(be_roster->Launch(kBrowser, 1, &url), B_LAUNCH_FAILED);
}

TEST_F(RosterLaunch, HandlerSeesEveryLaunchInsteadOfTheOpener)
{
	std::vector<std::string> seen;
	BPrivate::set_launch_handler(
		[&seen](const char* signature, const std::vector<std::string>& args) {
			seen.push_back(signature);
			seen.insert(seen.end(), args.begin(), args.end());
			return B_OK;
		});
	const char* args[] = {"https://example.org/", "x"};
	team_id team = -1;
	EXPECT_EQ(be_roster->Launch("text/html", 2, args, &team), B_OK);
	EXPECT_EQ(seen, (std::vector<std::string>{"text/html", "https://example.org/", "x"}));
	EXPECT_EQ(team, -1);
	snooze(100000);
	EXPECT_FALSE(std::ifstream(PathOf("opened")));
}

} // namespace
