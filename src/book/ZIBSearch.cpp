#include "ZIBSearch.h"

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
	if (fCurrentRecord != nullptr && !_IsInBook(fCurrentRecord))
		fCurrentRecord = nullptr;
	for (; fCurrentRecord != nullptr; fCurrentRecord = fCurrentRecord->GetNextRecord()) {
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
	for (int field = fFieldIndex; field < kFieldCount; field++) {
		const char* text = fCurrentRecord->Field(field);
		if (text[0] != '\0' && _CompareText(text)) {
			fFieldIndex = field + 1;
			return true;
		}
	}
	fFieldIndex = 0;
	return false;
}

// Whether the search text occurs in text, ASCII letters compared without
// regard to case. The empty search text occurs in every text.
bool
ZIBSearch::_CompareText(const char* text) const
{
	if (fSearchLength == 0)
		return true;
	const unsigned char* key = reinterpret_cast<const unsigned char*>(fSearchText);
	// A byte b folds to a lower-case letter l exactly when (b | 0x20) == l;
	// any other byte folds to itself.
	const unsigned char first = key[0];
	const unsigned char mask = first >= 'a' && first <= 'z' ? 0x20 : 0;
	for (; *text != '\0'; text++) {
		if ((static_cast<unsigned char>(*text) | mask) != first)
			continue;
		// The text's terminator never equals a byte of the search text.
		size_t i = 1;
		while (i < fSearchLength && ToLowerAscii(text[i]) == key[i])
			i++;
		if (i == fSearchLength)
			return true;
	}
	return false;
}
