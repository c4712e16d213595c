#include <stdio.h>

#include <memory>
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

// A temporary stream for what HandleCommandLine writes.
using Stream = std::unique_ptr<FILE, int (*)(FILE*)>;

bool
run(std::vector<const char*> arguments, int* exitCode, FILE* output, FILE* errors)
{
	arguments.insert(arguments.begin(), "zibmo");
	arguments.push_back(nullptr);
	return HandleCommandLine(static_cast<int>(arguments.size()) - 1,
							 const_cast<char**>(arguments.data()), exitCode, output, errors);
}

// Empty when nothing is expected, else a text the stream must contain.
void
ExpectText(const Stream& stream, const char* wanted)
{
	std::string text;
	rewind(stream.get());
	for (int c; (c = fgetc(stream.get())) != EOF;)
		text += static_cast<char>(c);
	if (*wanted == '\0')
		EXPECT_EQ(text, "");
	else
		EXPECT_NE(text.find(wanted), std::string::npos) << text;
}

class CommandLineTest : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, AnswersOrLeavesTheLaunchAlone)
{
	const CommandLineCase& row = GetParam();
	Stream output(tmpfile(), fclose);
	Stream errors(tmpfile(), fclose);
	int exitCode = -1;
	EXPECT_EQ(run(row.arguments, &exitCode, output.get(), errors.get()), row.handled);
	// A launch that goes on gets no exit code.
	EXPECT_EQ(exitCode, row.handled ? row.exitCode : -1);
	ExpectText(output, row.output);
	ExpectText(errors, row.errors);
}

INSTANTIATE_TEST_SUITE_P(
	Rows, CommandLineTest,
	testing::Values(
		CommandLineCase{"NoArguments", {}, false, 0, "", ""},
		CommandLineCase{"Files", {"a.zib", "b.zib"}, false, 0, "", ""},
		CommandLineCase{"ShortVersion", {"-v"}, true, 0, "Larimo Address Book DIDE 1.0d10\n", ""},
		CommandLineCase{"VersionAfterFile",
						{"a.zib", "--version"},
						true,
						0,
						"application/x-vnd.vornak-zibmo",
						""},
		CommandLineCase{"FirstOptionDecides", {"--help", "--version"}, true, 0, "usage:", ""},
		CommandLineCase{
			"UnknownLongOption", {"--verbose"}, true, 2, "", "unknown option --verbose"},
		CommandLineCase{"UnknownBeforeHelp", {"--bogus", "--help"}, true, 2, "", "usage:"},
		CommandLineCase{
			"ToolkitOptionsPass", {"-platform", "offscreen", "a.zib"}, false, 0, "", ""},
		CommandLineCase{"DashDashEndsOptions", {"--", "--help"}, false, 0, "", ""},
		CommandLineCase{"LoneDashIsAFile", {"-"}, false, 0, "", ""}),
	[](const auto& info) { return std::string(info.param.name); });

} // namespace
