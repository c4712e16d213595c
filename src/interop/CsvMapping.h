#ifndef CSV_MAPPING_H
#define CSV_MAPPING_H

#include <string>
#include <vector>

#include "ContactDraft.h"
#include "CsvReader.h"

class ImportReport;

// Reads the rows of a CSV address book into drafts by the names in its
// header row. Knows the headers of Google Contacts (both its current and its
// older export), Outlook, Thunderbird and our own export (the 21 field
// names). A column with an unknown name is reported as dropped for every
// row where it holds a value. Stateless; safe on any thread.
class CsvMapping final {
public:
	CsvMapping() = delete;

	// Whether the header row names at least one column this mapping knows.
	static bool KnowsHeader(const CsvReader::Row& header);

	// Appends one draft per row after the header to drafts; fileName names
	// the rows in the report ("people.csv, row 4"). A text whose header
	// names no known column is reported as skipped.
	static void Read(std::string_view text, const std::string& fileName,
					 std::vector<ContactDraft>& drafts, ImportReport& report);
};

#endif // CSV_MAPPING_H
