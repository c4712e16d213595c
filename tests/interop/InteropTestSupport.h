#ifndef INTEROP_TEST_SUPPORT_H
#define INTEROP_TEST_SUPPORT_H

#include <string>
#include <vector>

#include "ABookRecord.h"
#include "ContactImporter.h"
#include "ImportReport.h"
#include "ZIBook.h"

// The fields of every record of a book, in chain order.
inline std::vector<std::vector<std::string>>
FieldsOf(const ZIBook& book)
{
	std::vector<std::vector<std::string>> records;
	for (const ABookRecord* record = book.GetListOfRecords(); record != nullptr;
		 record = record->GetNextRecord()) {
		records.emplace_back();
		for (int field = 0; field < kFieldCount; field++)
			records.back().push_back(record->Field(field));
	}
	return records;
}

// Imports text into a new book and answers its records.
inline std::vector<std::vector<std::string>>
Import(const std::string& text, ImportReport& report, ImportFormat format = ImportFormat::kDetect)
{
	ZIBook book(nullptr);
	ContactImporter(&book, false).ImportText(text, "in", format, report);
	return FieldsOf(book);
}

#endif // INTEROP_TEST_SUPPORT_H
