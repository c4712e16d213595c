#ifndef QUERY_WORD_H
#define QUERY_WORD_H

#include <cstdint>
#include <string_view>
#include <unordered_map>

#include "CaseFolding.h"

// A word of a query, case ignored in every script (CaseFolding), searched
// without folding wherever that gives the same answer: an ASCII letter
// folds on its own to its lower case, so a word that folds to ASCII is in a
// text where the text's bytes match it, case ignored, or else only where a
// character beyond ASCII folds to letters of the word ("STRASSE" in
// "Straße"). Only a text that holds such a character is folded.
// Not thread-safe: it learns which characters fold to letters of the word.
class QueryWord final {
public:
	// word is not empty.
	explicit QueryWord(std::string_view word);

	// Whether the folded text contains the folded word.
	bool FoundIn(std::string_view text) const;

	// The first place in text at or after from where the word may be: where
	// its bytes match, or the last byte of a character that folds to letters
	// of it; text.size() when there is none. Every place may be one for a
	// word that does not fold to ASCII.
	size_t NextPlace(std::string_view text, size_t from) const;

private:
	bool _IsPlace(std::string_view text, size_t at) const;
	bool _FoldsIntoWord(std::string_view text, size_t at) const;

	CaseFolding fFolding;
	bool fAscii;
	// The first letter of an ASCII word, in lower and upper case.
	char fLower = '\0';
	char fUpper = '\0';
	// Of every character beyond ASCII whose folding holds a letter of an
	// ASCII word, the last byte.
	bool fLastBytes[256] = {};
	// Of the characters met that end in one of those bytes (by their bytes
	// read as a number), whether their folding holds a letter of the word.
	mutable std::unordered_map<uint32_t, bool> fCharacters;
};

#endif // QUERY_WORD_H
