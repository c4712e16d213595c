// Takes any bytes as a word, a line feed and a text, and checks that the
// quick search of a query word answers what CaseFolding answers, and that
// it never skips the place where the word is.

#include <cstdint>
#include <string_view>

#include "CaseFolding.h"
#include "FuzzCheck.h"
#include "QueryWord.h"

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	const auto [word, text] = SplitAtLineFeed(data, size);
	if (word.empty())
		return 0;

	QueryWord quick(word);
	bool found = CaseFolding(word).FoundIn(text);
	Check(quick.FoundIn(text) == found, "the quick search disagrees with folding");
	Check(!found || quick.NextPlace(text, 0) < text.size(), "the first place skips the word");
	return 0;
}
