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

	// False when no part of text can contain the word: a quick test of a
	// whole line before its fields are searched one by one.
	bool MayBeIn(std::string_view text) const;

private:
	bool _MatchesBytes(std::string_view text) const;
	bool _HoldsFoldingIntoWord(std::string_view text) const;
	bool _FoldsIntoWord(std::string_view text, size_t at) const;

	CaseFolding fFolding;
	bool fAscii;
	// Of every character beyond ASCII whose folding holds a letter of an
	// ASCII word, the last byte.
	bool fLastBytes[256] = {};
	// Of the characters met that end in one of those bytes (by their bytes
	// read as a number), whether their folding holds a letter of the word.
	mutable std::unordered_map<uint32_t, bool> fCharacters;
};

#endif // QUERY_WORD_H
