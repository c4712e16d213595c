#include <gtest/gtest.h>

#include "InteropTestSupport.h"

namespace {

const char kBook[] = "Nickname,First Name,Last Name,Email 1\n"
					 "ann,Ann,Lee,ann@example.org\n";

struct DuplicateRow {
	const char* name;
	const char* row;
	bool duplicate;
};

class DuplicatesTest : public testing::TestWithParam<DuplicateRow> {};

TEST_P(DuplicatesTest, RuleAndOverride)
{
	for (bool addDuplicates : {false, true}) {
		ZIBook book(nullptr);
		ImportReport first, report;
		ContactImporter(&book, false).ImportText(kBook, "book", ImportFormat::kCsv, first);
		book.SetDirty(false);
		ContactImporter importer(&book, addDuplicates);
		importer.ImportText(std::string("Nickname,First Name,Last Name,Email 1\n") + GetParam().row,
							"new.csv", ImportFormat::kDetect, report);
		bool added = book.GetTotalRecordsInThisAB() == 2;
		EXPECT_EQ(report.Duplicates(), GetParam().duplicate ? 1 : 0) << report.Text();
		EXPECT_EQ(added, !GetParam().duplicate || addDuplicates);
		EXPECT_EQ(book.SeeIfDirty(), added);
	}
}

const DuplicateRow kDuplicateRows[] = {
	{"SameNickname", "ann,Someone,Else,other@example.org", true},
	{"SameNamesAndEmail", ",Ann,Lee,ann@example.org", true},
	{"OtherEmail", ",Ann,Lee,lee@example.org", false},
	{"NicknameCaseDiffers", "Ann,,,", false},
	{"BothEmptyIsNoKey", ",,,", false},
};

INSTANTIATE_TEST_SUITE_P(Import, DuplicatesTest, testing::ValuesIn(kDuplicateRows),
						 [](const testing::TestParamInfo<DuplicateRow>& info) {
							 return info.param.name;
						 });

// Cards of one import are duplicates of each other too; a cut value is
// reported with both texts.
TEST(ImporterTest, DuplicateWithinOneFileAndCutValuesAreReported)
{
	ImportReport report;
	std::string company = "Company With A Name Far Longer Than Forty Bytes";
	auto records = Import("Nickname,Company\nbob," + company + "\nbob,\n", report);
	ASSERT_EQ(records.size(), 1u);
	EXPECT_EQ(records[0][kCompanyField], company.substr(0, 40));
	EXPECT_FALSE(report.Whole());
	std::string text = report.Text();
	EXPECT_NE(text.find("in, row 3 (bob): equals bob; not added"), std::string::npos) << text;
	EXPECT_NE(text.find("cut: Company \"" + company + "\" to \"" + company.substr(0, 40) + "\""),
			  std::string::npos)
		<< text;
}

} // namespace
