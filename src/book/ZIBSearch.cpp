#include "ZIBSearch.h"

#include <algorithm>
#include <cstring>

#include "ABookRecord.h"
#include "AsciiCase.h"
#include "ZIBook.h"

ZIBSearch::ZIBSearch()
	: fBook(nullptr), fCurrentRecord(nullptr), fFieldIndex(0), fSearchText(""), fSearchLength(0)
{
}

ABookRecord*
ZIBSearch::TheSearch(const ZIBook* book, const char* text)
{
	fSearchLength = ABookRecord::FieldLength(text, strlen(text));
	for (size_t i = 0; i < fSearchLength; i++)
		fSearchText[i] = ToLowerAscii(text[i]);
	fSearchText[fSearchLength] = '\0';
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

	// Scans the record's texts, which lie one after the other, for the first
	// byte of the search text in either case (memchr is far faster than a
	// loop per field), then checks each candidate in order, which is field
	// order. A match never runs past a text's terminator, which equals no
	// byte of the search text.
	size_t size;
	const char* texts = fCurrentRecord->Texts(&size);
	const char* end = texts + size;
	const char* from = texts;
	for (int field = 0; field < fFieldIndex; field++)
		from += strlen(from) + 1;
	const unsigned char first = fSearchText[0];
	const unsigned char other = first >= 'a' && first <= 'z' ? first - ('a' - 'A') : first;
	const char* next[2] = {nullptr, nullptr};
	while (from < end) {
		for (int i = 0; i < 2; i++) {
			if (next[i] < from)
				next[i] = static_cast<const char*>(memchr(from, i == 0 ? first : other, end - from));
			if (next[i] == nullptr)
				next[i] = end;
		}
		const char* candidate = std::min(next[0], next[1]);
		if (candidate == end)
			break;
		if (_MatchesAt(candidate)) {
			int field = 0;
			for (const char* text = texts; text <= candidate; text += strlen(text) + 1)
				field++;
			fFieldIndex = field;
			return true;
		}
		from = candidate + 1;
	}
	fFieldIndex = 0;
	return false;
}

// Whether the search text starts at candidate.
bool
ZIBSearch::_MatchesAt(const char* candidate) const
{
	const unsigned char* key = reinterpret_cast<const unsigned char*>(fSearchText);
	size_t i = 1;
	while (i < fSearchLength && ToLowerAscii(candidate[i]) == key[i])
		i++;
	return i == fSearchLength;
}
