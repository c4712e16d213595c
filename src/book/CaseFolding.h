#ifndef CASE_FOLDING_H
#define CASE_FOLDING_H

#include <bitset>
#include <string>
#include <string_view>

// Letter case ignored in every script: Unicode full case folding (ICU's
// default folding, the same in every locale) of UTF-8 text, and a search for
// one folded text inside others. "ÉMILE" folds to "émile", "Straße" and
// "STRASSE" both to "strasse". Bytes that are not valid UTF-8 are kept as
// they are, so any byte string is safe to fold and to search.
// Thread-safe: an object never changes after construction.
class CaseFolding final {
public:
	// The folded form of text.
	static std::string Fold(std::string_view text);

	// A search for key, folded once here.
	explicit CaseFolding(std::string_view key);

	// Whether the folded text contains the folded key, as whole characters;
	// the empty key is in every text. Texts that cannot hold the key are
	// turned down by a scan of their bytes, without folding them.
	bool FoundIn(std::string_view text) const;

	const std::string& FoldedKey() const { return fKey; }

private:
	bool _FoundInAscii(std::string_view text) const;

	std::string fKey;
	bool fKeyIsAscii;
	// The last byte of every character whose folding holds the key's first
	// character: a text without any of these bytes cannot contain the key.
	std::bitset<256> fTriggers;
};

#endif // CASE_FOLDING_H
