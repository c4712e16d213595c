// Takes any bytes as a key, a line feed and a text, and checks that the
// search of CaseFolding agrees with folding both and looking for one in the
// other: the byte scan that turns texts down never turns down a text that
// holds the key.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "CaseFolding.h"
#include "FuzzCheck.h"

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	const auto [key, text] = SplitAtLineFeed(data, size);

	CaseFolding search(key);
	bool expected = CaseFolding::Fold(text).find(search.FoldedKey()) != std::string::npos;
	// The zero-terminated form ends at the first zero byte.
	std::string terminated(text.substr(0, text.find('\0')));
	bool terminatedExpected =
		CaseFolding::Fold(terminated).find(search.FoldedKey()) != std::string::npos;
	if (search.FoundIn(text) != expected ||
		search.FoundIn(terminated.c_str()) != terminatedExpected) {
		fprintf(stderr, "broken: the search disagrees with folding\n");
		abort();
	}
	return 0;
}
