#include "BookSnapshot.h"

#include <strings.h>

#include "ABookRecord.h"
#include "ZIBook.h"

BookSnapshot::BookSnapshot(const ZIBook& book, const std::vector<int>& rows)
{
	for (const ABookRecord* record = book.GetListOfRecords(); record != nullptr;
		 record = record->GetNextRecord()) {
		auto copy = std::make_unique<ABookRecord>();
		for (int field = 0; field < kFieldCount; field++)
			copy->SetField(field, record->Field(field));
		fAll.push_back(copy.get());
		fCopies.push_back(std::move(copy));
	}
	for (int row : rows) {
		if (row >= 0 && static_cast<size_t>(row) < fAll.size())
			fPrinted.push_back(fAll[row]);
	}
	if (rows.empty())
		fPrinted = fAll;
}

BookSnapshot::~BookSnapshot() = default;

const ABookRecord*
BookSnapshot::Nickname(const std::string& nickname) const
{
	if (nickname.empty())
		return nullptr;
	for (const ABookRecord* record : fAll) {
		if (strcasecmp(record->Field(kNicknameField), nickname.c_str()) == 0)
			return record;
	}
	return nullptr;
}
