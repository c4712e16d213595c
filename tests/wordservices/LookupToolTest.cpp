#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "PeerProcess.h"
#include "TestDirectory.h"

namespace {

std::string
read_file(const std::string& path)
{
	std::ifstream in(path, std::ios::binary);
	return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class LookupTool : public TestDirectory {
protected:
	// Runs zib-lookup with option on input; answers its exit status.
	int Run(const char* option, const std::string& input)
	{
		std::ofstream(PathOf("in"), std::ios::binary) << input;
		std::string command = std::string("'") + LOOKUP_TOOL_PATH + "' " + option + " < '"
			+ PathOf("in") + "' > '" + PathOf("out") + "' 2> '" + PathOf("err") + "'";
		int status = system(command.c_str());
		fOut = read_file(PathOf("out"));
		fErr = read_file(PathOf("err"));
		return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
	}

	std::unique_ptr<PeerProcess> StartServer()
	{
		auto server = std::make_unique<PeerProcess>(TEST_SERVER_PATH,
			std::vector<std::string>{ZIB_TEST_DATA_DIR "/wordservices/book.zib"});
		EXPECT_TRUE(server->WaitReady());
		return server;
	}

	std::string fOut, fErr;
};

struct ToolRow {
	const char* name;
	const char* option;
	std::string input;
	std::string output;
};

class LookupToolRows : public LookupTool, public testing::WithParamInterface<ToolRow> {};

TEST_P(LookupToolRows, PrintsRewrittenText)
{
	auto server = StartServer();
	EXPECT_EQ(Run(GetParam().option, GetParam().input), 0) << fErr;
	EXPECT_EQ(fOut, GetParam().output);
	EXPECT_EQ(fErr, "");
	EXPECT_EQ(server->Stop(), 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, LookupToolRows,
	testing::Values(ToolRow{"Email", "--email", "Mail al, BOB and kimberly.\n",
						"Mail alexander.the.great@macedon.example.org, bob@example.com and "
						"kimberly.\n"},
		ToolRow{"Postal", "--postal", "To: bob\n",
			"To: Bob Q Builder \nMr \nFixit Ltd \n1 Main St \nUnit 2 \nSpringfield IL 62701 \n"},
		ToolRow{"NothingToReplace", "--email", "-- \t --", "-- \t --"}),
	[](const auto& info) { return std::string(info.param.name); });

TEST_F(LookupTool, FailsClearlyWithoutAddressBook)
{
	EXPECT_EQ(Run("--email", "bob"), 1);
	EXPECT_EQ(fOut, "");
	EXPECT_NE(fErr.find("no address book is running"), std::string::npos) << fErr;
	EXPECT_EQ(Run("--bogus", "bob"), 2);
}

} // namespace
