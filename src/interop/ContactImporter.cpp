#include "ContactImporter.h"

#include <errno.h>
#include <string.h>

#include <fstream>
#include <sstream>

#include "ABookRecord.h"
#include "CsvMapping.h"
#include "CsvReader.h"
#include "ImportReport.h"
#include "InteropText.h"
#include "VCardReader.h"
#include "ZIBook.h"

ContactImporter::ContactImporter(ZIBook* book, bool addDuplicates)
	: fBook(book), fAddDuplicates(addDuplicates)
{
	for (const ABookRecord* record = book->GetListOfRecords(); record != nullptr;
		 record = record->GetNextRecord()) {
		ContactFields fields = FieldsOf(*record);
		_Index(fields, Description(fields));
	}
}

ImportFormat
ContactImporter::Detect(std::string_view text)
{
	if (VCardReader::LooksLikeVCard(text))
		return ImportFormat::kVCard;
	// Only the header row matters; a quoted line break in it is rare enough
	// that the first 64 KiB always hold it.
	bool unclosed = false;
	std::vector<CsvReader::Row> rows = CsvReader::Rows(text.substr(0, 65536), unclosed);
	if (!rows.empty() && CsvMapping::KnowsHeader(rows[0]))
		return ImportFormat::kCsv;
	return ImportFormat::kDetect;
}

void
ContactImporter::ImportText(std::string_view text, const std::string& name, ImportFormat format,
							ImportReport& report)
{
	if (format == ImportFormat::kDetect)
		format = Detect(text);
	std::vector<ContactDraft> drafts;
	switch (format) {
		case ImportFormat::kVCard:
			VCardReader::Read(text, name, drafts, report);
			break;
		case ImportFormat::kCsv:
			CsvMapping::Read(text, name, drafts, report);
			break;
		case ImportFormat::kDetect:
			report.AddSkipped(name, "not a vCard or CSV file");
			return;
	}
	for (const ContactDraft& draft : drafts)
		Add(draft, report);
}

void
ContactImporter::ImportFile(const std::string& path, ImportFormat format, ImportReport& report)
{
	errno = 0;
	std::ifstream file(path, std::ios::binary);
	if (!file.is_open()) {
		report.AddSkipped(path, strerror(errno != 0 ? errno : ENOENT));
		return;
	}
	std::ostringstream text;
	text << file.rdbuf();
	if (file.bad()) {
		report.AddSkipped(path, strerror(errno != 0 ? errno : EIO));
		return;
	}
	ImportText(text.str(), path, format, report);
}

void
ContactImporter::Add(const ContactDraft& draft, ImportReport& report)
{
	std::vector<std::string> dropped;
	ContactFields whole = draft.Fields(dropped);
	AddFields(whole, draft.source, std::move(dropped), report);
}

void
ContactImporter::AddFields(const ContactFields& whole, const std::string& source,
						   std::vector<std::string> dropped, ImportReport& report)
{
	ImportReport::Note note;
	note.dropped = std::move(dropped);
	ContactFields fields;
	for (int field = 0; field < kFieldCount; field++) {
		fields[field] = whole[field].substr(0, FieldCut(whole[field]));
		if (fields[field].size() < whole[field].size())
			note.cut.push_back(std::string(gInitFieldNames[field]) + " \"" + whole[field] +
							   "\" to \"" + fields[field] + "\"");
	}
	std::string description = Description(fields);
	note.card = source + (description.empty() ? "" : " (" + description + ")");

	std::string nameKey = NameAndEmailKey(fields);
	auto nickname =
		fields[kNicknameField].empty() ? fNicknames.end() : fNicknames.find(fields[kNicknameField]);
	auto names = nameKey.empty() ? fNamesAndEmails.end() : fNamesAndEmails.find(nameKey);
	if (nickname != fNicknames.end() || names != fNamesAndEmails.end()) {
		const std::string& equal = nickname != fNicknames.end() ? nickname->second : names->second;
		report.AddDuplicate(note.card, equal, fAddDuplicates);
		if (!fAddDuplicates)
			return;
	}

	ABookRecord* record = fBook->makeNewRecord();
	for (int field = 0; field < kFieldCount; field++)
		record->SetField(field, fields[field].c_str());
	fBook->IncrementTotalRecordsInThisAB();
	fBook->SetDirty(true);
	_Index(fields, description);
	report.AddAdded();
	report.AddNote(std::move(note));
}

void
ContactImporter::_Index(const ContactFields& fields, const std::string& description)
{
	if (!fields[kNicknameField].empty())
		fNicknames.emplace(fields[kNicknameField], description);
	std::string nameKey = NameAndEmailKey(fields);
	if (!nameKey.empty())
		fNamesAndEmails.emplace(nameKey, description);
}
