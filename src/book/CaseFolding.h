#ifndef CASE_FOLDING_H
#define CASE_FOLDING_H

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
	// The same for a zero-terminated text, read once when it cannot hold the
	// key.
	bool FoundIn(const char* text) const;

	const std::string& FoldedKey() const { return fKey; }
	// The bytes of which a text must hold at least one to contain the key,
	// in increasing order; all 256 when they cannot be told. Empty for the
	// empty key.
	const std::string& TriggerBytes() const { return fTriggerBytes; }

private:
	void _ListTriggerBytes();
	bool _FoundInTriggered(std::string_view text) const;

	std::string fKey;
	bool fKeyIsAscii;
	// Of one character of the key (the one that gives the fewest bytes), the
	// last byte of every character whose folding holds it: a text without
	// any of these bytes cannot contain the key.
	bool fTriggers[256] = {};
	std::string fTriggerBytes;
};

#endif // CASE_FOLDING_H
