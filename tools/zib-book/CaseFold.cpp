#include "CaseFold.h"

#include <unicode/ucasemap.h>

#include "AsciiCase.h"

namespace {

bool
IsAscii(std::string_view text)
{
	for (char byte : text) {
		if (static_cast<unsigned char>(byte) >= 0x80)
			return false;
	}
	return true;
}

void
AppendAsciiLowered(std::string_view text, std::string& out)
{
	for (char byte : text)
		out += static_cast<char>(ToLowerAscii(byte));
}

} // namespace

void
AppendCaseFolded(std::string_view text, std::string& out)
{
	if (IsAscii(text)) {
		AppendAsciiLowered(text, out);
		return;
	}
	// Opened once; folding through a shared map is thread-safe.
	static UCaseMap* const sMap = [] {
		UErrorCode error = U_ZERO_ERROR;
		return ucasemap_open(nullptr, U_FOLD_CASE_DEFAULT, &error);
	}();
	UErrorCode error = sMap != nullptr ? U_ZERO_ERROR : U_MEMORY_ALLOCATION_ERROR;
	// Folding grows a text by at most three times (ß gives ss, and so on).
	size_t start = out.size();
	out.resize(start + text.size() * 3 + 4);
	int32_t length =
		ucasemap_utf8FoldCase(sMap, out.data() + start, static_cast<int32_t>(out.size() - start),
							  text.data(), static_cast<int32_t>(text.size()), &error);
	if (U_FAILURE(error)) {
		out.resize(start);
		AppendAsciiLowered(text, out);
		return;
	}
	out.resize(start + length);
}
