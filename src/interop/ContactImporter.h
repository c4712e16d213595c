#ifndef CONTACT_IMPORTER_H
#define CONTACT_IMPORTER_H

#include <string>
#include <string_view>
#include <unordered_map>

#include "ContactDraft.h"
#include "InteropFormat.h"

class ImportReport;
class ZIBook;

// Adds the cards of vCard and CSV files to a book, one record per card, and
// reports on each what did not fit (ImportReport).
//
// A value longer than a field keeps its first 40 bytes (never splitting a
// UTF-8 character) and is reported as cut. A card whose nickname, or whose
// first name, last name and "Email 1" together, equal those of a record
// already in the book (or added earlier by this importer) is a duplicate: it
// is reported and, unless duplicates are to be added, left out.
//
// The book is marked changed when a record was added; nothing is written.
// The book must outlive the importer, and no one else may change it while
// the importer lives (its index of the book would go stale). Not
// thread-safe.
class ContactImporter final {
public:
	ContactImporter(ZIBook* book, bool addDuplicates);

	// The format of text by its content: vCard when it begins with
	// BEGIN:VCARD, else CSV when its first row names a known column, else
	// kDetect (neither).
	static ImportFormat Detect(std::string_view text);

	// Adds the cards of text, in the format given or detected; name names
	// the file in the report. Text in neither format is reported as skipped.
	void ImportText(std::string_view text, const std::string& name, ImportFormat format,
					ImportReport& report);

	// Reads the file at path and imports it as above; a file that cannot be
	// read is reported as skipped with the reason.
	void ImportFile(const std::string& path, ImportFormat format, ImportReport& report);

	// Adds one card.
	void Add(const ContactDraft& draft, ImportReport& report);
	// Adds one record of field texts, which may be too long for a field;
	// source names it in the report, dropped lists what had no field.
	void AddFields(const ContactFields& whole, const std::string& source,
				   std::vector<std::string> dropped, ImportReport& report);

private:
	void _Index(const ContactFields& fields, const std::string& description);

	ZIBook* fBook;
	bool fAddDuplicates;
	// Keys of the book's records, to the description of the record.
	std::unordered_map<std::string, std::string> fNicknames;
	std::unordered_map<std::string, std::string> fNamesAndEmails;
};

#endif // CONTACT_IMPORTER_H
