#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CommandLine.h"

namespace {

// One command line and what it must do.
struct CommandLineCase {
	const char* name;
	std::vector<const char*> arguments; // after argv[0]
	bool handled;
	int exitCode;
	const char* output; // a text the output must contain, or "" for none at all
	const char* errors; // likewise for the error stream
};

// Captures what HandleCommandLine writes to a stream.
class Capture {
public:
	Capture() : fStream(open_memstream(&fBuffer, &fSize)) {}
	~Capture()
	{
		if (fStream != nullptr)
			fclose(fStream);
		free(fBuffer);
	}
	FILE* Stream() const { return fStream; }
	std::string Text()
	{
		fflush(fStream);
		return std::string(fBuffer, fSize);
	}

private:
	char* fBuffer = nullptr;
	size_t fSize = 0;
	FILE* fStream;
};

bool
run(std::vector<const char*> arguments, int* exitCode, FILE* output, FILE* errors)
{
	std::vector<char*> argv = {const_cast<char*>("zibmo")};
	for (const char* argument : arguments)
		argv.push_back(const_cast<char*>(argument));
	argv.push_back(nullptr);
	return HandleCommandLine(static_cast<int>(argv.size()) - 1, argv.data(), exitCode, output,
							 errors);
}

class CommandLineTest : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, AnswersOrLeavesTheLaunchAlone)
{
	const CommandLineCase& row = GetParam();
	Capture output;
	Capture errors;
	int exitCode = -1;
	EXPECT_EQ(run(row.arguments, &exitCode, output.Stream(), errors.Stream()), row.handled);
	if (row.handled)
		EXPECT_EQ(exitCode, row.exitCode);
	else
		EXPECT_EQ(exitCode, -1) << "an exit code for a launch that goes on";

	std::string outputText = output.Text();
	std::string errorsText = errors.Text();
	if (*row.output == '\0')
		EXPECT_EQ(outputText, "");
	else
		EXPECT_NE(outputText.find(row.output), std::string::npos) << outputText;
	if (*row.errors == '\0')
		EXPECT_EQ(errorsText, "");
	else
		EXPECT_NE(errorsText.find(row.errors), std::string::npos) << errorsText;
}

const char kVersionLine[] = "Address Book 1.0.0 (development, internal 10)";

INSTANTIATE_TEST_SUITE_P(
	Rows, CommandLineTest,
	testing::Values(
		CommandLineCase{"NoArguments", {}, false, 0, "", ""},
		CommandLineCase{"Files", {"a.zib", "b.zib"}, false, 0, "", ""},
		CommandLineCase{"Version", {"--version"}, true, 0, kVersionLine, ""},
		CommandLineCase{"ShortVersion", {"-v"}, true, 0, "Larimo Address Book DIDE 1.0d10\n", ""},
		CommandLineCase{"VersionAfterFile",
						{"a.zib", "--version"},
						true,
						0,
						"application/x-vnd.vornak-zibmo",
						""},
		CommandLineCase{"Help", {"--help"}, true, 0, "usage: zibmo [FILE...]", ""},
		CommandLineCase{"ShortHelp", {"-h"}, true, 0, "--version", ""},
		CommandLineCase{"FirstOptionDecides", {"--help", "--version"}, true, 0, "usage:", ""},
		CommandLineCase{
			"UnknownLongOption", {"--verbose"}, true, 2, "", "unknown option --verbose"},
		CommandLineCase{"UnknownBeforeHelp", {"--bogus", "--help"}, true, 2, "", "usage:"},
		CommandLineCase{
			"ToolkitOptionsPass", {"-platform", "offscreen", "a.zib"}, false, 0, "", ""},
		CommandLineCase{"DashDashEndsOptions", {"--", "--help"}, false, 0, "", ""},
		CommandLineCase{"LoneDashIsAFile", {"-"}, false, 0, "", ""}),
	[](const testing::TestParamInfo<CommandLineCase>& info) {
		return std::string(info.param.name);
	});

// A full disk or closed pipe must not report success.
TEST(CommandLineOutput, FailedWriteIsNotSuccess)
{
	FILE* full = fopen("/dev/full", "w");
	if (full == nullptr)
		GTEST_SKIP() << "no /dev/full";
	Capture errors;
	for (const char* option : {"--version", "--help"}) {
		int exitCode = -1;
		EXPECT_TRUE(run({option}, &exitCode, full, errors.Stream()));
		EXPECT_EQ(exitCode, 1) << option;
		clearerr(full);
	}
	fclose(full);
}

} // namespace
