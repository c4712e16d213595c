#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ABookRecord.h"
#include "BookTestSupport.h"
#include "ZIBook.h"

namespace {

struct DeleteCase {
	const char* name;
	long index;
	std::vector<std::string> remaining;
};

class DeleteRecord : public testing::TestWithParam<DeleteCase> {};

TEST_P(DeleteRecord, KeepsChainAndCount)
{
	ZIBook book(nullptr);
	AddRecords(book, {{"a"}, {"b"}, {"c"}});
	book.deleteRecord(GetParam().index);
	EXPECT_EQ(Column(book, kNicknameField), GetParam().remaining);
	ExpectConsistentLinks(book);
}

INSTANTIATE_TEST_SUITE_P(Positions, DeleteRecord,
						 testing::Values(DeleteCase{"First", 0, {"b", "c"}},
										 DeleteCase{"Middle", 1, {"a", "c"}},
										 DeleteCase{"Last", 2, {"a", "b"}},
										 DeleteCase{"PastEnd", 3, {"a", "b", "c"}},
										 DeleteCase{"Negative", -1, {"a", "b", "c"}}),
						 [](const auto& info) { return info.param.name; });

struct FieldCase {
	const char* name;
	std::string text;
	std::string stored;
};

class SetField : public testing::TestWithParam<FieldCase> {};

TEST_P(SetField, KeepsFortyBytesWithoutSplittingCharacters)
{
	ABookRecord record;
	record.SetField(kCityField, GetParam().text.c_str());
	EXPECT_EQ(record.Field(kCityField), GetParam().stored);
}

const std::string k37(37, 'x');
const std::string k38(38, 'x');
const std::string k39(39, 'x');
const std::string k40(40, 'x');

INSTANTIATE_TEST_SUITE_P(
	Lengths, SetField,
	testing::Values(FieldCase{"Bytes40", k40, k40}, FieldCase{"Bytes41", k40 + "y", k40},
					FieldCase{"TwoByteCharacterEndsAt40", k38 + "\xC3\xA9", k38 + "\xC3\xA9"},
					FieldCase{"TwoByteCharacterAcrossCut", k39 + "\xC3\xA9", k39},
					FieldCase{"ThreeByteCharacterAcrossCut", k38 + "\xE2\x82\xAC", k38},
					FieldCase{"FourByteCharacterAcrossCut", k37 + "\xF0\x9F\x98\x80", k37},
					FieldCase{"StrayContinuationBytes", std::string(45, '\x80'),
							  std::string(40, '\x80')},
					FieldCase{"TabEndsText", "ab\tcd", "ab"},
					FieldCase{"LineFeedEndsText", "ab\ncd", "ab"},
					FieldCase{"CarriageReturnKept", "ab\rcd", "ab\rcd"}),
	[](const auto& info) { return info.param.name; });

} // namespace
