#include "ClipboardRecords.h"

#include <string>

#include <Clipboard.h>
#include <Message.h>
#include <TypeConstants.h>

#include "ContactExporter.h"
#include "ContactImporter.h"
#include "ImportReport.h"
#include "RecordLines.h"

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
	std::string lines = RecordLines::Write(records);
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
	if (!RecordLines::Read(text, records) || records.empty())
		return false;
	for (size_t i = 0; i < records.size(); i++) {
		std::string source = std::string(kSource) + ", record " + std::to_string(i + 1);
		importer.AddFields(records[i], source, {}, report);
	}
	return true;
}
