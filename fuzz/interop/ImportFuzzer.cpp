// Imports any bytes as a vCard or a CSV file (ZIB_FUZZ_CSV chooses) and
// checks the records; then exports them in that format (vCard 3.0 and 4.0
// for vCard), imports the export and checks that the same records come
// back, field for field.

#include <string.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ABookRecord.h"
#include "ContactExporter.h"
#include "ContactImporter.h"
#include "ImportReport.h"
#include "ZIBook.h"

#include "FuzzCheck.h"

namespace {

std::vector<std::string>
CheckedFields(const ZIBook& book)
{
	std::vector<std::string> fields;
	long count = 0;
	for (const ABookRecord* record = book.GetListOfRecords(); record != nullptr;
		 record = record->GetNextRecord()) {
		for (int field = 0; field < kFieldCount; field++) {
			const char* text = record->Field(field);
			Check(strlen(text) <= kFieldTextLength, "field longer than 40 bytes");
			Check(strpbrk(text, "\t\n\r") == nullptr, "line break or tab in a field");
			fields.push_back(text);
		}
		count++;
	}
	Check(book.GetTotalRecordsInThisAB() == count, "record count");
	return fields;
}

#ifdef ZIB_FUZZ_CSV
const ImportFormat kFormat = ImportFormat::kCsv;
const ExportFormat kExports[] = {ExportFormat::kCsv};
#else
const ImportFormat kFormat = ImportFormat::kVCard;
const ExportFormat kExports[] = {ExportFormat::kVCard30, ExportFormat::kVCard40};
#endif

} // namespace

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	ZIBook book(nullptr);
	ImportReport report;
	ContactImporter(&book, true)
		.ImportText(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz", kFormat,
					report);
	Check(report.Added() == book.GetTotalRecordsInThisAB(), "added count");
	report.Text();
	std::vector<std::string> fields = CheckedFields(book);

	for (ExportFormat format : kExports) {
		std::string text = ContactExporter::Text(ContactExporter::AllRecords(book), format);
		ZIBook again(nullptr);
		ImportReport second;
		ContactImporter(&again, true).ImportText(text, "export", kFormat, second);
		Check(second.Whole(), "the export does not come in whole");
		Check(CheckedFields(again) == fields, "records after export and import");
	}
	return 0;
}
