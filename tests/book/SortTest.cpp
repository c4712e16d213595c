#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include <SupportDefs.h>

#include "ABookRecord.h"
#include "AsciiCase.h"
#include "BookTestSupport.h"
#include "ZIBSort.h"
#include "PivotQuicksort.h"
#include "ZIBook.h"

namespace {

// The reference order for SortBook: the partition run on record pointers,
// the field texts compared with A-Z lowered, as a signed 16-bit value.
int
RecordCompare(const ABookRecord* a, const ABookRecord* b, int field)
{
	const unsigned char* left = reinterpret_cast<const unsigned char*>(a->Field(field));
	const unsigned char* right = reinterpret_cast<const unsigned char*>(b->Field(field));
	for (;; left++, right++) {
		int difference = ToLowerAscii(*left) - ToLowerAscii(*right);
		if (difference != 0 || *left == '\0')
			return static_cast<int16>(difference);
	}
}

// Books of (nickname, last name) records, sorted by last name.
struct SortCase {
	const char* name;
	std::vector<Fields> records;
	std::vector<std::string> nicknames;
};

class SortByLastName : public testing::TestWithParam<SortCase> {};

TEST_P(SortByLastName, OrdersChain)
{
	ZIBook book(nullptr);
	for (const Fields& fields : GetParam().records)
		AddRecords(book, {{fields[0], "", "", fields[1]}});
	ASSERT_TRUE(SortBook(&book, kLastNameField));
	EXPECT_EQ(Column(book, kNicknameField), GetParam().nicknames);
	ExpectConsistentLinks(book);
}

// The equal-key rows are hand-runs of the partition: it follows the pivot
// record as it is swapped, so equal keys do not keep their order.
INSTANTIATE_TEST_SUITE_P(
	Keys, SortByLastName,
	testing::Values(
		SortCase{"EmptyKeysFirst", {{"1", "b"}, {"2", ""}, {"3", "a"}}, {"2", "3", "1"}},
		SortCase{"LowerCaseNotUpper", {{"1", "a"}, {"2", "_"}, {"3", "B"}}, {"2", "1", "3"}},
		SortCase{"BytesUnsigned", {{"1", "\xC3\xA9"}, {"2", "z"}}, {"2", "1"}},
		SortCase{"ThreeEqualKeys", {{"1", "x"}, {"2", "X"}, {"3", "x"}}, {"2", "3", "1"}},
		SortCase{"TwoPairsOfEqualKeys",
				 {{"1", "B"}, {"2", "a"}, {"3", "b"}, {"4", "A"}},
				 {"2", "4", "1", "3"}}),
	[](const auto& info) { return info.param.name; });

TEST(SortBook, LeavesBookAloneWithoutTwoRecordsOrAValidField)
{
	ZIBook book(nullptr);
	AddRecords(book, {{"b"}});
	EXPECT_FALSE(SortBook(&book, kNicknameField));
	AddRecords(book, {{"a"}});
	EXPECT_FALSE(SortBook(&book, kFieldCount));
	EXPECT_FALSE(SortBook(nullptr, kNicknameField));
	EXPECT_EQ(Column(book, kNicknameField), (std::vector<std::string>{"b", "a"}));
}

enum Shape { kSorted, kReversed, kAllEqual, kRandom, kFewKeys };
const char* const kShapeNames[] = {"Sorted", "Reversed", "AllEqual", "Random", "FewKeys"};

class SortShapes : public testing::TestWithParam<std::tuple<Shape, int>> {};

TEST_P(SortShapes, SortsIndexAndChainAlike)
{
	auto [shape, count] = GetParam();
	std::mt19937 random(count);
	ZIBook book(nullptr);
	for (int i = 0; i < count; i++) {
		char key[16];
		int value = shape == kSorted     ? i
					: shape == kReversed ? count - i
					: shape == kAllEqual ? 7
					: shape == kFewKeys  ? static_cast<int>(random() % 3)
										 : static_cast<int>(random() % 100000);
		snprintf(key, sizeof(key), "%c%06d", i % 2 == 0 ? 'K' : 'k', value);
		AddRecords(book, {{std::to_string(i), key}});
	}
	std::vector<ABookRecord*> index = BuildListIndex(&book);
	PivotQuicksort(index.data(), 0, index.size() - 1, [](ABookRecord* a, ABookRecord* b) {
		return RecordCompare(a, b, kFirstNameField);
	});
	for (size_t i = 1; i < index.size(); i++)
		ASSERT_LE(RecordCompare(index[i - 1], index[i], kFirstNameField), 0) << i;
	EXPECT_EQ(std::set<ABookRecord*>(index.begin(), index.end()).size(), index.size());

	ASSERT_TRUE(SortBook(&book, kFirstNameField));
	ExpectConsistentLinks(book);
	EXPECT_EQ(BuildListIndex(&book), index);
}

INSTANTIATE_TEST_SUITE_P(Books, SortShapes,
						 testing::Combine(testing::Values(kSorted, kReversed, kAllEqual, kRandom,
														  kFewKeys),
										  testing::Values(2, 3, 17, 5000)),
						 [](const auto& info) {
							 return kShapeNames[std::get<0>(info.param)] +
									std::to_string(std::get<1>(info.param));
						 });

} // namespace
