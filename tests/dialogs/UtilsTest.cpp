#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include <Screen.h>

#include "DialogTest.h"
#include "ZIBUtils.h"

namespace {

class Utils : public DialogTest {};

TEST_F(Utils, CenterWindowOnScreenKeepsTheSizeAndRoundsTowardZero)
{
	Run([](ZIBWindow*) {
		// The offscreen platform's screen.
		ASSERT_EQ(BScreen(B_MAIN_SCREEN_ID).Frame(), BRect(0, 0, 799, 799));
		struct Row {
			BRect frame;
			BRect centred;
		};
		const Row rows[] = {
			{BRect(10, 10, 280, 480), BRect(264, 164, 534, 634)},
			{BRect(120, 120, 400, 325), BRect(259, 297, 539, 502)},
			{BRect(0.7, 0.2, 100.9, 51.9), BRect(349, 374, 449, 425)},
			{BRect(0, 0, 1000, 700), BRect(-101, 49, 899, 749)},
		};
		for (const Row& row : rows) {
			SCOPED_TRACE(row.centred.left);
			EXPECT_EQ(CenterWindowOnScreen(row.frame), row.centred);
		}
	});
}

TEST(MemcpyNoTabs, StopsAtTheFirstTab)
{
	struct Row {
		const char* name;
		const char* source;
		long count;
		const char* expected;
	};
	const Row rows[] = {
		{"StopsAtTab", "ab\tcd", 6, "ab#######"},
		{"CopiesCountBytes", "abcdef", 4, "abcd#####"},
		{"CopiesTheTerminator", "ab", 3, "ab"},
		{"TabFirst", "\tab", 3, "#########"},
	};
	for (const Row& row : rows) {
		SCOPED_TRACE(row.name);
		char dest[10] = "#########";
		memcpy_no_tabs(dest, row.source, row.count);
		EXPECT_STREQ(dest, row.expected);
	}
}

} // namespace
