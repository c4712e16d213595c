#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ABookRecord.h"
#include "BookTestSupport.h"
#include "ZIBSearch.h"
#include "ZIBook.h"

namespace {

const std::string kForty = "abcdefghijabcdefghijabcdefghijabcdefghij";

struct SearchCase {
	const char* name;
	std::string key;
	// The nickname of the record of every hit until the search runs out.
	std::vector<std::string> hits;
	LetterCase rule = LetterCase::kAsciiOnly;
};

class Search : public testing::TestWithParam<SearchCase> {};

TEST_P(Search, FindsFieldsInRecordAndFieldOrder)
{
	ZIBook book(nullptr);
	AddRecords(book, {{"ann", "Ann", "", "", "", "", "", "", "", "", "", "", "", "", "",
					   "ANN@example.org"},
					  {"bob", "", "", "Joanne"},
					  {},
					  {"carl", kForty, "Renée"}});
	ZIBSearch search;
	std::vector<std::string> hits;
	for (ABookRecord* hit = search.TheSearch(&book, GetParam().key.c_str(), GetParam().rule);
		 hit != nullptr; hit = search.SearchForNext())
		hits.push_back(hit->Field(kNicknameField));
	EXPECT_EQ(hits, GetParam().hits);
	EXPECT_EQ(search.SearchForNext(), nullptr);
}

// Case folding, nothing found, the empty key and a key longer than its
// field are searched through the find dialog.
INSTANTIATE_TEST_SUITE_P(Keys, Search,
						 testing::Values(SearchCase{"AtEndOfField", "NE", {"bob"}},
										 SearchCase{"NonAsciiBytes", "éE", {"carl"}},
										 SearchCase{"KeyCutToFortyBytes", kForty + "zzz", {"carl"}},
										 SearchCase{"EveryScriptFieldOrder",
													"ANN",
													{"ann", "ann", "ann", "bob"},
													LetterCase::kEveryScript}),
						 [](const auto& info) { return info.param.name; });

TEST(Search, IgnoresTextLeftBehindByAShorterField)
{
	ZIBook book(nullptr);
	AddRecords(book, {{"ann", "Quixotic"}});
	book.GetListOfRecords()->SetField(1, "Q");
	ZIBSearch search;
	EXPECT_EQ(search.TheSearch(&book, "quix"), nullptr);
	EXPECT_EQ(search.TheSearch(&book, "q"), book.GetListOfRecords());
}

// The find dialog deletes the record a search stands on through the window.
TEST(Search, DeletedCurrentRecordRestartsAtFirstRecord)
{
	ZIBook book(nullptr);
	AddRecords(book, {{"x1", "x"}, {"x2"}, {"x3"}});
	ZIBSearch search;
	search.TheSearch(&book, "x");
	ABookRecord* hit = search.SearchForNext();
	ASSERT_STREQ(hit->Field(kNicknameField), "x1");
	// Fields 0 and 1 of x1 were found; x1 goes, the step starts at x2.
	book.deleteRecord(hit);
	EXPECT_STREQ(search.SearchForNext()->Field(kNicknameField), "x2");
	EXPECT_STREQ(search.SearchForNext()->Field(kNicknameField), "x3");
	EXPECT_EQ(search.SearchForNext(), nullptr);
}

} // namespace
