#include <tuple>

#include <gtest/gtest.h>

#include "ZIBUtils.h"

namespace {

// CenterWindowOnScreen is checked through the dialogs' frames.
TEST(MemcpyNoTabs, StopsAtTheFirstTab)
{
	const std::tuple<const char*, long, const char*> rows[] = {
		{"ab\tcd", 6, "ab#######"},
		{"abcdef", 4, "abcd#####"},
		{"ab", 3, "ab"},
		{"\tab", 3, "#########"},
	};
	for (const auto& [source, count, expected] : rows) {
		char dest[10] = "#########";
		memcpy_no_tabs(dest, source, count);
		EXPECT_STREQ(dest, expected) << source;
	}
}

} // namespace
