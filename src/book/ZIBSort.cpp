#include "ZIBSort.h"

#include <cstring>

#include "ABookRecord.h"
#include "AsciiCase.h"
#include "BookConstants.h"
#include "LanguageCollator.h"
#include "PivotQuicksort.h"
#include "ZIBook.h"

namespace {

const size_t kPrefetchDistance = 8;

// A record with its sort key: the field's text with A-Z turned to lower
// case, or its collation key. strcmp of two keys orders the records.
struct KeyedRecord {
	const char* key;
	ABookRecord* record;
};

int
CompareKeys(const KeyedRecord& a, const KeyedRecord& b)
{
	return strcmp(a.key, b.key);
}

} // namespace

std::vector<ABookRecord*>
BuildListIndex(const ZIBook* book)
{
	std::vector<ABookRecord*> index;
	index.reserve(book->GetTotalRecordsInThisAB());
	for (ABookRecord* record = book->GetListOfRecords(); record != nullptr;
		 record = record->GetNextRecord())
		index.push_back(record);
	return index;
}

void
BuildLinkedList(ZIBook* book, const std::vector<ABookRecord*>& index)
{
	ABookRecord* previous = nullptr;
	for (ABookRecord* record : index) {
		record->SetPrevRecord(previous);
		if (previous != nullptr)
			previous->SetNextRecord(record);
		previous = record;
	}
	if (previous != nullptr)
		previous->SetNextRecord(nullptr);
	book->SetListOfRecords(index.empty() ? nullptr : index.front());
	book->SetLastRecord(previous);
}

bool
SortBook(ZIBook* book, unsigned short field, const LanguageCollator* collator)
{
	if (book == nullptr || field >= kFieldCount || book->GetTotalRecordsInThisAB() < 2)
		return false;
	std::vector<ABookRecord*> index = BuildListIndex(book);
	if (index.size() < 2)
		return false;

	// The keys lie side by side in one block, so that the comparisons stay
	// in the cache instead of reaching into every record again.
	std::vector<char> keys;
	keys.reserve(index.size() * (kFieldTextLength + 1));
	std::vector<size_t> starts(index.size());
	for (size_t i = 0; i < index.size(); i++) {
		// Records are separate allocations: ask for the texts a few records ahead.
		if (i + kPrefetchDistance < index.size())
			__builtin_prefetch(index[i + kPrefetchDistance]->Field(field));
		starts[i] = keys.size();
		const char* text = index[i]->Field(field);
		if (collator != nullptr) {
			collator->AppendSortKey(text, keys);
			continue;
		}
		for (; *text != '\0'; text++)
			keys.push_back(static_cast<char>(ToLowerAscii(*text)));
		keys.push_back('\0');
	}
	std::vector<KeyedRecord> keyed(index.size());
	for (size_t i = 0; i < index.size(); i++)
		keyed[i] = {keys.data() + starts[i], index[i]};
	PivotQuicksort(keyed.data(), 0, keyed.size() - 1, CompareKeys);
	for (size_t i = 0; i < index.size(); i++)
		index[i] = keyed[i].record;
	BuildLinkedList(book, index);
	return true;
}
