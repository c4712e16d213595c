#include "ClipboardRecords.h"

#include <algorithm>
#include <string>

#include <Clipboard.h>
#include <Message.h>
#include <TypeConstants.h>

#include "ContactExporter.h"
#include "ContactImporter.h"
#include "ImportReport.h"
#include "ZIBook.h"

namespace {

const char kTextType[] = "text/plain";
const char kVCardType[] = "text/vcard";
const char kSource[] = "Clipboard";

std::string
FormOf(const BMessage* data, const char* type)
{
	const void* bytes;
	ssize_t size;
	if (data->FindData(type, B_MIME_TYPE, &bytes, &size) != B_OK)
		return std::string();
	return std::string(static_cast<const char*>(bytes), size);
}

} // namespace

status_t
ClipboardRecords::Copy(const std::vector<const ABookRecord*>& records)
{
	std::string vcards = ContactExporter::Text(records, ExportFormat::kVCard30);
	std::string lines;
	for (const ABookRecord* record : records) {
		if (!lines.empty())
			lines += '\n';
		lines += ZIBook::RecordLine(record);
	}
	if (!be_clipboard->Lock())
		return B_ERROR;
	be_clipboard->Clear();
	BMessage* data = be_clipboard->Data();
	data->AddData(kTextType, B_MIME_TYPE, lines.data(), lines.size());
	data->AddData(kVCardType, B_MIME_TYPE, vcards.data(), vcards.size());
	status_t status = be_clipboard->Commit();
	be_clipboard->Unlock();
	return status;
}

bool
ClipboardRecords::Paste(ZIBook* book, ImportReport& report)
{
	if (!be_clipboard->Lock())
		return false;
	std::string vcards = FormOf(be_clipboard->Data(), kVCardType);
	std::string text = FormOf(be_clipboard->Data(), kTextType);
	be_clipboard->Unlock();

	ContactImporter importer(book, false);
	if (vcards.empty() && ContactImporter::Detect(text) == ImportFormat::kVCard)
		vcards = text;
	if (!vcards.empty()) {
		importer.ImportText(vcards, kSource, ImportFormat::kVCard, report);
		return true;
	}
	std::vector<ContactFields> records;
	if (!ReadRecordLines(text, records) || records.empty())
		return false;
	for (size_t i = 0; i < records.size(); i++) {
		std::string source = std::string(kSource) + ", record " + std::to_string(i + 1);
		importer.AddFields(records[i], source, {}, report);
	}
	return true;
}

bool
ClipboardRecords::ReadRecordLines(std::string_view text, std::vector<ContactFields>& records)
{
	while (!text.empty()) {
		size_t end = text.find('\n');
		std::string_view line = text.substr(0, end);
		text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
		if (!line.empty() && line.back() == '\r')
			line.remove_suffix(1);
		if (line.empty())
			continue;
		size_t tabs = std::count(line.begin(), line.end(), '\t');
		if (tabs == kFieldCount && line.back() == '\t')
			line.remove_suffix(1);
		else if (tabs != kFieldCount - 1)
			return false;
		ContactFields fields;
		for (int field = 0; field < kFieldCount; field++) {
			size_t tab = line.find('\t');
			fields[field] = std::string(line.substr(0, tab));
			line.remove_prefix(tab == std::string_view::npos ? line.size() : tab + 1);
		}
		records.push_back(std::move(fields));
	}
	return true;
}
