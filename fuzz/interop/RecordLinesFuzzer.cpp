// Reads any bytes as record lines from the clipboard, adds the records to a
// book by the import rules, and checks the book; then writes the book's
// records as lines and checks that reading them gives the same fields.

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "ABookRecord.h"
#include "ContactImporter.h"
#include "ImportReport.h"
#include "RecordLines.h"
#include "ZIBook.h"

#include "FuzzCheck.h"

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	std::vector<ContactFields> records;
	RecordLines::Read(std::string_view(reinterpret_cast<const char*>(data), size), records);
	ZIBook book(nullptr);
	ContactImporter importer(&book, true);
	ImportReport report;
	for (const ContactFields& fields : records)
		importer.AddFields(fields, "fuzz", {}, report);
	Check(book.GetTotalRecordsInThisAB() == static_cast<long>(records.size()), "record count");

	std::vector<const ABookRecord*> added;
	std::vector<ContactFields> stored;
	for (const ABookRecord* record = book.GetListOfRecords(); record != nullptr;
		 record = record->GetNextRecord()) {
		added.push_back(record);
		stored.emplace_back();
		for (int field = 0; field < kFieldCount; field++) {
			const char* text = record->Field(field);
			Check(strlen(text) <= kFieldTextLength, "field longer than 40 bytes");
			Check(strpbrk(text, "\t\n") == nullptr, "tab or line feed in a field");
			stored.back()[field] = text;
		}
	}
	std::vector<ContactFields> again;
	Check(RecordLines::Read(RecordLines::Write(added), again), "written lines read back");
	Check(again == stored, "records after writing and reading");
	return 0;
}
