#ifndef ZIBSEARCH_H
#define ZIBSEARCH_H

#include <cstddef>
#include <optional>

#include "BookConstants.h"
#include "CaseFolding.h"

class ABookRecord;
class ZIBook;

// How a search ignores letter case: in the ASCII letters only, or in every
// script (CaseFolding).
enum class LetterCase { kAsciiOnly, kEveryScript };

// The record search of the Find dialog, without its window: finds, in chain
// order and within a record in field order, the next non-empty field that
// contains the search text regardless of letter case. Each hit moves
// the search past the field it found; there is no wrap-around. Not
// thread-safe; the book must outlive the search.
class ZIBSearch final {
public:
	ZIBSearch();

	// "Search": captures the first 40 bytes of text (never splitting a UTF-8
	// character), restarts at the first record of book and runs one step.
	// The case rule holds until the next TheSearch.
	ABookRecord* TheSearch(const ZIBook* book, const char* text,
						   LetterCase rule = LetterCase::kAsciiOnly);
	// "Search Again": answers the record of the next hit, or nullptr once
	// the search has run out, until the next TheSearch. When the current
	// record has been deleted from the book since the last step, the step
	// starts again at the book's first record.
	ABookRecord* SearchForNext();
	// The book searched; nullptr before the first TheSearch.
	const ZIBook* GetBook() const { return fBook; }

private:
	bool _IsInBook(const ABookRecord* record) const;
	bool _SearchFields();
	bool _SearchFoldedFields();
	bool _MatchesAt(const char* candidate) const;

	const ZIBook* fBook;
	ABookRecord* fCurrentRecord;
	// The field at which the next step starts in the current record, 0..21.
	int fFieldIndex;
	// The search text with A-Z turned to lower case.
	char fSearchText[kFieldTextLength + 1];
	size_t fSearchLength;
	// The search text folded, for LetterCase::kEveryScript.
	std::optional<CaseFolding> fFolding;
};

#endif // ZIBSEARCH_H
