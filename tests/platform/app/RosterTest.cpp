#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <OS.h>
#include <Roster.h>

#include "TestDirectory.h"

namespace {

const char* const kBrowser = "application/x-vnd.Be-NPOS";

// Puts a stand-in xdg-open first on PATH that writes its arguments, one a
// line, to the file "opened", so the real launch runs and no browser opens.
// (The dialogs' tests use the launch handler.)
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
		TestDirectory::TearDown();
	}

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

	EXPECT_EQ(be_roster->Launch(kBrowser, 0, &url), B_BAD_VALUE);
	EXPECT_EQ(be_roster->Launch("application/x-vnd.unknown", 1, &url), B_LAUNCH_FAILED);
	setenv("PATH", PathOf("nowhere").c_str(), 1);
	EXPECT_EQ(be_roster->Launch(kBrowser, 1, &url), B_LAUNCH_FAILED);
}

} // namespace
