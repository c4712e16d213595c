#include "CaseFold.h"

#include <string.h>

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include <unicode/ucasemap.h>

#include "AsciiCase.h"

namespace {

// The length of the UTF-8 sequence that starts text, 0 when it is not a
// valid one.
size_t
SequenceLength(std::string_view text)
{
	unsigned char lead = text[0];
	size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
	if (length == 0 || lead > 0xF4 || text.size() < length)
		return 0;
	for (size_t i = 1; i < length; i++) {
		if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
			return 0;
	}
	return length;
}

// The folding of one character, through ICU.
std::string
FoldCharacter(std::string_view character)
{
	// Opened once; folding through a shared map is thread-safe.
	static UCaseMap* const sMap = [] {
		UErrorCode error = U_ZERO_ERROR;
		return ucasemap_open(nullptr, U_FOLD_CASE_DEFAULT, &error);
	}();
	UErrorCode error = sMap != nullptr ? U_ZERO_ERROR : U_MEMORY_ALLOCATION_ERROR;
	char folded[32];
	int32_t length = ucasemap_utf8FoldCase(sMap, folded, sizeof(folded), character.data(),
										   static_cast<int32_t>(character.size()), &error);
	return U_SUCCESS(error) ? std::string(folded, length) : std::string(character);
}

} // namespace

size_t
CaseFoldInto(std::string_view text, char* out)
{
	// Full case folding maps each character on its own, so each folded
	// character is kept: a book has few distinct ones, and asking ICU once
	// per name would cost more than the whole scan.
	thread_local std::unordered_map<uint32_t, std::string> sFolded;
	char* cursor = out;
	size_t i = 0;
	while (i < text.size()) {
		// Eight ASCII bytes at a time: those from 'A' to 'Z' get 0x20.
		if (i + 8 <= text.size()) {
			uint64_t word;
			memcpy(&word, text.data() + i, 8);
			const uint64_t kOnes = 0x0101010101010101ull;
			const uint64_t kHigh = 0x8080808080808080ull;
			if ((word & kHigh) == 0) {
				uint64_t upper = (word + (0x80 - 'A') * kOnes) & ~(word + (0x7F - 'Z') * kOnes);
				word |= (upper & kHigh) >> 2;
				memcpy(cursor, &word, 8);
				cursor += 8;
				i += 8;
				continue;
			}
		}
		unsigned char byte = text[i];
		if (byte < 0x80) {
			*cursor++ = static_cast<char>(ToLowerAscii(byte));
			i++;
			continue;
		}
		size_t length = SequenceLength(text.substr(i));
		if (length == 0) {
			*cursor++ = static_cast<char>(byte);
			i++;
			continue;
		}
		uint32_t key = 0;
		for (size_t k = 0; k < length; k++)
			key = key << 8 | static_cast<unsigned char>(text[i + k]);
		auto found = sFolded.find(key);
		if (found == sFolded.end())
			found = sFolded.emplace(key, FoldCharacter(text.substr(i, length))).first;
		// A character of n bytes folds to at most 3 n bytes.
		size_t size = std::min(found->second.size(), 3 * length);
		memcpy(cursor, found->second.data(), size);
		cursor += size;
		i += length;
	}
	return cursor - out;
}

void
AppendCaseFolded(std::string_view text, std::string& out)
{
	size_t start = out.size();
	out.resize(start + 3 * text.size());
	out.resize(start + CaseFoldInto(text, out.data() + start));
}
