#include "ZIBSearch.h"

#include <algorithm>
#include <cstring>

#include "ABookRecord.h"
#include "AsciiCase.h"
#include "ZIBook.h"

namespace {

// The most bytes ScanTexts looks for: one memchr pass over a record
// per byte.
const size_t kMaxScanBytes = 4;

// Scans the texts of record, which lie one after the other, from field
// start on for any of bytes (memchr is far faster than a loop per field)
// and hands each candidate, in order, which is field order, to
// matches(field, candidate). Answers the field of the first match, or -1.
template <typename Matches>
int
ScanTexts(const ABookRecord* record, int start, std::string_view bytes, Matches matches)
{
	size_t size;
	const char* texts = record->Texts(&size);
	const char* end = texts + size;
	// The field that fieldEnd, its terminator, closes.
	int field = 0;
	const char* fieldEnd = texts + strlen(texts);
	const char* from = texts;
	for (; field < start; field++) {
		from = fieldEnd + 1;
		fieldEnd = from + strlen(from);
	}
	const char* next[kMaxScanBytes] = {};
	while (from < end) {
		const char* candidate = end;
		for (size_t i = 0; i < bytes.size(); i++) {
			if (next[i] == nullptr || next[i] < from) {
				next[i] = static_cast<const char*>(memchr(from, bytes[i], end - from));
				if (next[i] == nullptr)
					next[i] = end;
			}
			candidate = std::min(candidate, next[i]);
		}
		if (candidate == end)
			return -1;
		while (candidate > fieldEnd) {
			fieldEnd += strlen(fieldEnd + 1) + 1;
			field++;
		}
		if (matches(field, candidate))
			return field;
		from = candidate + 1;
	}
	return -1;
}

} // namespace

ZIBSearch::ZIBSearch()
	: fBook(nullptr), fCurrentRecord(nullptr), fFieldIndex(0), fSearchText(""), fSearchLength(0)
{
}

ABookRecord*
ZIBSearch::TheSearch(const ZIBook* book, const char* text, LetterCase rule)
{
	fSearchLength = ABookRecord::FieldLength(text, strlen(text));
	for (size_t i = 0; i < fSearchLength; i++)
		fSearchText[i] = ToLowerAscii(text[i]);
	fSearchText[fSearchLength] = '\0';
	fFolding.reset();
	if (rule == LetterCase::kEveryScript)
		fFolding.emplace(std::string_view(text, fSearchLength));
	fBook = book;
	fCurrentRecord = book->GetListOfRecords();
	fFieldIndex = 0;
	return SearchForNext();
}

ABookRecord*
ZIBSearch::SearchForNext()
{
	if (fCurrentRecord != nullptr && !_IsInBook(fCurrentRecord)) {
		fCurrentRecord = fBook->GetListOfRecords();
		fFieldIndex = 0;
	}
	for (; fCurrentRecord != nullptr; fCurrentRecord = fCurrentRecord->GetNextRecord()) {
		if (ABookRecord* next = fCurrentRecord->GetNextRecord())
			next->Prefetch();
		if (_SearchFields())
			return fCurrentRecord;
	}
	fFieldIndex = 0;
	return nullptr;
}

bool
ZIBSearch::_IsInBook(const ABookRecord* record) const
{
	// Compares addresses only: a deleted record is never dereferenced.
	for (const ABookRecord* other = fBook->GetListOfRecords(); other != nullptr;
		 other = other->GetNextRecord()) {
		if (other == record)
			return true;
	}
	return false;
}

bool
ZIBSearch::_SearchFields()
{
	if (fSearchLength == 0) {
		for (int field = fFieldIndex; field < kFieldCount; field++) {
			if (fCurrentRecord->Field(field)[0] != '\0') {
				fFieldIndex = field + 1;
				return true;
			}
		}
		fFieldIndex = 0;
		return false;
	}
	if (fFolding && fFolding->TriggerBytes().size() > kMaxScanBytes)
		return _SearchFoldedFields();

	int hit;
	if (fFolding) {
		// A field is folded once, at its first candidate.
		int checked = -1;
		hit = ScanTexts(fCurrentRecord, fFieldIndex, fFolding->TriggerBytes(),
						[&](int field, const char*) {
							if (field == checked)
								return false;
							checked = field;
							return fFolding->FoundIn(fCurrentRecord->Field(field));
						});
	} else {
		const char first = fSearchText[0];
		const char bytes[2] = {
			first, first >= 'a' && first <= 'z' ? static_cast<char>(first - ('a' - 'A')) : first};
		hit = ScanTexts(fCurrentRecord, fFieldIndex,
						std::string_view(bytes, bytes[0] == bytes[1] ? 1 : 2),
						[&](int, const char* candidate) { return _MatchesAt(candidate); });
	}
	fFieldIndex = hit + 1;
	return hit >= 0;
}

// Field by field, for keys that too many bytes can start.
bool
ZIBSearch::_SearchFoldedFields()
{
	for (int field = fFieldIndex; field < kFieldCount; field++) {
		const char* text = fCurrentRecord->Field(field);
		if (text[0] != '\0' && fFolding->FoundIn(text)) {
			fFieldIndex = field + 1;
			return true;
		}
	}
	fFieldIndex = 0;
	return false;
}

// Whether the search text starts at candidate. A match never runs past the
// text's terminator, which equals no byte of the search text.
bool
ZIBSearch::_MatchesAt(const char* candidate) const
{
	const unsigned char* key = reinterpret_cast<const unsigned char*>(fSearchText);
	size_t i = 1;
	while (i < fSearchLength && ToLowerAscii(candidate[i]) == key[i])
		i++;
	return i == fSearchLength;
}
