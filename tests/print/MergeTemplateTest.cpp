#include "MergeTemplate.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <Errors.h>

#include "ABookRecord.h"
#include "TestDirectory.h"

namespace {

struct MergeCase {
	const char* name;
	const char* text;
	const char* merged; // null when the template is refused
	const char* error;
};

const MergeCase kCases[] = {
	{"FieldsAndAnEmptyOne", "{First Name} {Last Name}, {Zip/Postal Code} {City}[{Middle Name}]",
	 "Ann Lee, 0150 Oslo[]", ""},
	{"CaseIgnored", "{first name}{CITY}", "AnnOslo", ""},
	{"DoubledBraces", "{{City}} }} {{", "{City} } {", ""},
	{"LoneClosingBrace", "a } b", "a } b", ""},
	{"UnknownNamedBeforeMerging", "{First Name} {Town} {} {Postcode}", nullptr,
	 "No field has the name of {Town}, {}, {Postcode}."},
	{"Unclosed", "Dear {First Name", nullptr, "A \"{\" is not closed by \"}\" on its line."},
	{"ClosedOnLaterLine", "{City\n}", nullptr, "A \"{\" is not closed by \"}\" on its line."},
};

class MergeTemplateCase : public testing::TestWithParam<MergeCase> {};

TEST_P(MergeTemplateCase, MergesOrNamesTheFault)
{
	ABookRecord record;
	record.SetField(kFirstNameField, "Ann");
	record.SetField(kLastNameField, "Lee");
	record.SetField(kCityField, "Oslo");
	record.SetField(kZipField, "0150");
	MergeTemplate merge(GetParam().text);
	EXPECT_EQ(merge.Error(), GetParam().error);
	if (GetParam().merged != nullptr) {
		EXPECT_EQ(merge.Merge(&record), GetParam().merged);
	}
}

INSTANTIATE_TEST_SUITE_P(Templates, MergeTemplateCase, testing::ValuesIn(kCases),
						 [](const auto& info) { return std::string(info.param.name); });

class MergeFilesTest : public TestDirectory {};

TEST_F(MergeFilesTest, OneFilePerRecordAndNoneOverwritten)
{
	ABookRecord ann, nobody, slash;
	ann.SetField(kFirstNameField, "Ann");
	ann.SetField(kLastNameField, "Lee");
	slash.SetField(kNicknameField, "a/b");
	MergeTemplate merge("To {First Name}.\n");
	std::vector<std::string> written;
	ASSERT_EQ(merge.WriteFiles(fPath.string(), {&ann, &nobody, &slash}, written), B_OK);
	ASSERT_EQ(written.size(), 3u);
	EXPECT_EQ(written[0], PathOf("001 Ann Lee.txt"));
	EXPECT_EQ(written[1], PathOf("002.txt"));
	EXPECT_EQ(written[2], PathOf("003 a_b.txt"));
	EXPECT_EQ(ReadFile(written[0]), "To Ann.\n");

	// A second run would overwrite: nothing is written.
	ABookRecord bob;
	bob.SetField(kFirstNameField, "Bob");
	EXPECT_EQ(merge.WriteFiles(fPath.string(), {&ann, &bob}, written), B_FILE_EXISTS);
	EXPECT_TRUE(written.empty());
	EXPECT_FALSE(std::filesystem::exists(PathOf("002 Bob.txt")));
	EXPECT_EQ(merge.WriteFiles(PathOf("missing"), {&bob}, written), B_ENTRY_NOT_FOUND);
}

} // namespace
