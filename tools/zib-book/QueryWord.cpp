#include "QueryWord.h"

#include <string.h>

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
	for (size_t i = 0; i < word.size(); i++) {
		if (ToLowerAscii(static_cast<unsigned char>(text[i])) !=
			static_cast<unsigned char>(word[i]))
			return false;
	}
	return true;
}

} // namespace

QueryWord::QueryWord(std::string_view word) : fFolding(word), fAscii(IsAscii(fFolding.FoldedKey()))
{
	if (!fAscii)
		return;
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
	if (_MatchesBytes(text))
		return true;
	return _HoldsFoldingIntoWord(text) && fFolding.FoundIn(text);
}

bool
QueryWord::MayBeIn(std::string_view text) const
{
	return !fAscii || _MatchesBytes(text) || _HoldsFoldingIntoWord(text);
}

// Whether the bytes of text hold the ASCII word, case ignored: the
// positions of its first letter, in either case, are found 16 bytes at a
// time.
bool
QueryWord::_MatchesBytes(std::string_view text) const
{
	const std::string& word = fFolding.FoldedKey();
	if (word.empty())
		return true;
	if (text.size() < word.size())
		return false;
	const size_t last = text.size() - word.size();
	const char lower = word[0];
	const char upper = lower >= 'a' && lower <= 'z' ? lower - ('a' - 'A') : lower;
	size_t start = 0;
#ifdef __SSE2__
	const __m128i lowers = _mm_set1_epi8(lower);
	const __m128i uppers = _mm_set1_epi8(upper);
	for (; start + 16 <= text.size(); start += 16) {
		__m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + start));
		unsigned mask = _mm_movemask_epi8(
			_mm_or_si128(_mm_cmpeq_epi8(bytes, lowers), _mm_cmpeq_epi8(bytes, uppers)));
		for (; mask != 0; mask &= mask - 1) {
			size_t at = start + __builtin_ctz(mask);
			if (at > last)
				return false;
			if (StartsWithLower(text.substr(at), word))
				return true;
		}
	}
#endif
	for (size_t at = start; at <= last; at++) {
		if ((text[at] == lower || text[at] == upper) && StartsWithLower(text.substr(at), word))
			return true;
	}
	return false;
}

// Whether text holds a character beyond ASCII whose folding holds a letter
// of the word.
bool
QueryWord::_HoldsFoldingIntoWord(std::string_view text) const
{
	size_t start = 0;
#ifdef __SSE2__
	// Bytes beyond ASCII have their top bit set.
	for (; start + 16 <= text.size(); start += 16) {
		__m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + start));
		for (unsigned mask = _mm_movemask_epi8(bytes); mask != 0; mask &= mask - 1) {
			size_t at = start + __builtin_ctz(mask);
			if (fLastBytes[static_cast<unsigned char>(text[at])] && _FoldsIntoWord(text, at))
				return true;
		}
	}
#endif
	for (; start < text.size(); start++) {
		if (fLastBytes[static_cast<unsigned char>(text[start])] && _FoldsIntoWord(text, start))
			return true;
	}
	return false;
}

// Whether the character that ends at byte at of text (one of fLastBytes)
// folds to something that holds a letter of the word; false when the
// character goes on after that byte, and true for bytes that are not valid
// UTF-8, which the folding of the whole text then judges.
bool
QueryWord::_FoldsIntoWord(std::string_view text, size_t at) const
{
	if (at + 1 < text.size() && U8_IS_TRAIL(text[at + 1]))
		return false;
	size_t start = at;
	while (start > 0 && at - start < 3 && U8_IS_TRAIL(text[start]))
		start--;
	std::string_view character = text.substr(start, at + 1 - start);
	uint32_t key = 0;
	memcpy(&key, character.data(), character.size());
	auto known = fCharacters.find(key);
	if (known != fCharacters.end())
		return known->second;
	int32_t end = 0;
	UChar32 c = 0;
	U8_NEXT(character.data(), end, static_cast<int32_t>(character.size()), c);
	bool folds =
		c < 0 || static_cast<size_t>(end) != character.size() ||
		CaseFolding::Fold(character).find_first_of(fFolding.FoldedKey()) != std::string::npos;
	fCharacters.emplace(key, folds);
	return folds;
}
