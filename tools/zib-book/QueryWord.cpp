#include "QueryWord.h"

#include <algorithm>
#include <string>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <unicode/utf8.h>

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

// Whether text, ASCII letters taken in lower case, starts with the lower
// case ASCII word.
bool
StartsWithLower(std::string_view text, std::string_view word)
{
	if (text.size() < word.size())
		return false;
	for (size_t i = 0; i < word.size(); i++) {
		if (ToLowerAscii(static_cast<unsigned char>(text[i])) !=
			static_cast<unsigned char>(word[i]))
			return false;
	}
	return true;
}

} // namespace

QueryWord::QueryWord(std::string_view word)
	: fFolding(word), fAscii(IsAscii(fFolding.FoldedKey()) && !fFolding.FoldedKey().empty())
{
	if (!fAscii)
		return;
	fLower = fFolding.FoldedKey()[0];
	fUpper = fLower >= 'a' && fLower <= 'z' ? fLower - ('a' - 'A') : fLower;
	// The trigger bytes of a one-letter key are the last bytes of every
	// character whose folding holds the letter.
	std::string letters;
	for (char letter : fFolding.FoldedKey()) {
		if (letters.find(letter) != std::string::npos)
			continue;
		letters += letter;
		const CaseFolding alone(std::string_view(&letter, 1));
		for (char byte : alone.TriggerBytes()) {
			if (static_cast<unsigned char>(byte) >= 0x80)
				fLastBytes[static_cast<unsigned char>(byte)] = true;
		}
	}
}

bool
QueryWord::FoundIn(std::string_view text) const
{
	if (!fAscii)
		return fFolding.FoundIn(text);
	size_t place = NextPlace(text, 0);
	if (place == text.size())
		return false;
	// A match of the bytes, or a character that the folding of the whole
	// text must judge.
	return static_cast<unsigned char>(text[place]) < 0x80 || fFolding.FoundIn(text);
}

size_t
QueryWord::NextPlace(std::string_view text, size_t from) const
{
	if (!fAscii)
		return from;
	size_t at = from;
#ifdef __SSE2__
	// The word's first letter in either case, and the bytes beyond ASCII
	// (their top bit set), 16 bytes at a time.
	const __m128i lowers = _mm_set1_epi8(fLower);
	const __m128i uppers = _mm_set1_epi8(fUpper);
	for (; at + 16 <= text.size(); at += 16) {
		__m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
		unsigned places = _mm_movemask_epi8(
			_mm_or_si128(_mm_cmpeq_epi8(bytes, lowers), _mm_cmpeq_epi8(bytes, uppers)));
		for (unsigned high = _mm_movemask_epi8(bytes); high != 0; high &= high - 1) {
			unsigned bit = __builtin_ctz(high);
			if (fLastBytes[static_cast<unsigned char>(text[at + bit])])
				places |= 1u << bit;
		}
		for (; places != 0; places &= places - 1) {
			size_t place = at + __builtin_ctz(places);
			if (_IsPlace(text, place))
				return place;
		}
	}
#endif
	for (; at < text.size(); at++) {
		if (_IsPlace(text, at))
			return at;
	}
	return text.size();
}

bool
QueryWord::_IsPlace(std::string_view text, size_t at) const
{
	unsigned char byte = text[at];
	if (byte >= 0x80)
		return fLastBytes[byte] && _FoldsIntoWord(text, at);
	return (byte == static_cast<unsigned char>(fLower) ||
			byte == static_cast<unsigned char>(fUpper)) &&
		   StartsWithLower(text.substr(at), fFolding.FoldedKey());
}

// Whether the character that ends at byte at of text (one of fLastBytes)
// folds to something that holds a letter of the word; false when the
// character goes on after that byte, and true where the bytes are not valid
// UTF-8, which the folding of the whole text then judges.
bool
QueryWord::_FoldsIntoWord(std::string_view text, size_t at) const
{
	size_t start = at;
	while (start > 0 && at - start < 3 && U8_IS_TRAIL(text[start]))
		start--;
	std::string_view bytes = text.substr(start, std::min<size_t>(4, text.size() - start));
	int32_t length = 0;
	UChar32 c = 0;
	U8_NEXT(bytes.data(), length, static_cast<int32_t>(bytes.size()), c);
	if (c < 0 || start + length < at + 1)
		return true;
	if (start + length > at + 1)
		return false;
	uint32_t key = 0;
	for (char byte : bytes.substr(0, length))
		key = key << 8 | static_cast<unsigned char>(byte);
	auto known = fCharacters.find(key);
	if (known != fCharacters.end())
		return known->second;
	bool folds = CaseFolding::Fold(bytes.substr(0, length)).find_first_of(fFolding.FoldedKey()) !=
				 std::string::npos;
	fCharacters.emplace(key, folds);
	return folds;
}
