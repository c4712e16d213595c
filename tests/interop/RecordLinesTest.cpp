#include "RecordLines.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::string
Tabs(int count)
{
	return std::string(count, '\t');
}

struct Case {
	const char* name;
	std::string text;
	bool records;
	std::vector<std::string> nicknames;
};

class RecordLinesRead : public testing::TestWithParam<Case> {};

} // namespace

TEST_P(RecordLinesRead, TakesLinesOf21FieldsOnly)
{
	std::vector<ContactFields> records;
	EXPECT_EQ(RecordLines::Read(GetParam().text, records), GetParam().records);
	std::vector<std::string> nicknames;
	for (const ContactFields& fields : records)
		nicknames.push_back(fields[kNicknameField]);
	EXPECT_EQ(nicknames, GetParam().nicknames);
}

INSTANTIATE_TEST_SUITE_P(
	, RecordLinesRead,
	testing::Values(Case{"TrailingTabs", "a" + Tabs(21) + "\nb" + Tabs(21), true, {"a", "b"}},
					Case{"CrLfWithoutTrailingTab",
						 "a" + Tabs(20) + "\r\n\r\nb" + Tabs(20) + "x\r\n",
						 true,
						 {"a", "b"}},
					Case{"AllEmpty", Tabs(21), true, {""}},
					Case{"TwentyFields", "a" + Tabs(19), false, {}},
					Case{"TwentyTwoFields", "a" + Tabs(21) + "x", false, {}},
					Case{"ProseAfterARecord", "a" + Tabs(21) + "\njust a note", false, {"a"}}),
	[](const testing::TestParamInfo<Case>& info) { return info.param.name; });
