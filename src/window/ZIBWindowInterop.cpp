// The main window's import and export: the two panels, the import of chosen
// or dropped files with its report, and the export of the book or of its
// selected records.

#include "ZIBWindow.h"

#include <string.h>

#include <string>
#include <vector>

#include <Alert.h>
#include <AppDefs.h>
#include <Application.h>
#include <ErrnoStatus.h>
#include <FilePanel.h>
#include <Message.h>
#include <Messenger.h>
#include <Node.h>
#include <Path.h>

#include "ABListView.h"
#include "ContactExporter.h"
#include "ContactImporter.h"
#include "ImportReport.h"
#include "ImportReportWindow.h"
#include "ZIBook.h"

namespace {

// In the order of the export panel's "choice".
const ExportFormat kExportFormats[] = {ExportFormat::kVCard30, ExportFormat::kVCard40,
									   ExportFormat::kCsv};
const std::vector<std::string> kExportChoices = {"vCard 3.0 (*.vcf)", "vCard 4.0 (*.vcf)",
												 "CSV (*.csv)"};

bool
HasImportExtension(const char* name)
{
	const char* dot = strrchr(name, '.');
	return dot != nullptr && (strcasecmp(dot, ".vcf") == 0 || strcasecmp(dot, ".vcard") == 0 ||
							  strcasecmp(dot, ".csv") == 0);
}

// Lists folders and the files an import reads.
class ImportFilter : public BRefFilter {
public:
	bool Filter(const entry_ref* ref, BNode*, struct stat* info, const char*) override
	{
		return S_ISDIR(info->st_mode) || HasImportExtension(ref->name);
	}
};

ImportFilter sImportFilter;

} // namespace

void
ZIBWindow::_ShowImportPanel()
{
	if (fImportPanel == nullptr) {
		BMessenger target(this);
		BMessage message(kMsgImportFiles);
		fImportPanel = new BFilePanel(B_OPEN_PANEL, &target, nullptr, 0, true, &message,
									  &sImportFilter, false, true);
	}
	fImportPanel->Show();
}

void
ZIBWindow::_ImportFiles(BMessage* message)
{
	if (fBook == nullptr)
		return;
	ABookRecord* last = fBook->GetLastRecord();
	ImportReport report;
	ContactImporter importer(fBook, false);
	entry_ref ref;
	for (int32 i = 0; message->FindRef("refs", i, &ref) == B_OK; i++) {
		BPath path(&ref);
		if (path.InitCheck() == B_OK)
			importer.ImportFile(path.Path(), ImportFormat::kDetect, report);
	}
	_RecordsImported("Import", last);
	(new ImportReportWindow(report.Text().c_str()))->Show();
}

void
ZIBWindow::_ShowExportPanel()
{
	if (fExportPanel == nullptr) {
		BMessenger target(this);
		BMessage message(kMsgExportFile);
		fExportPanel = new BFilePanel(B_SAVE_PANEL, &target, nullptr, 0, false, &message, nullptr,
									  false, true);
		BPrivate::set_file_panel_choices(fExportPanel, kExportChoices);
	}
	std::string name = HasFile() ? std::string(fEntryRef->name) : std::string("Address Book");
	fExportPanel->SetSaveText((name.substr(0, name.rfind('.')) + ".vcf").c_str());
	fExportPanel->Show();
}

void
ZIBWindow::_ExportFile(BMessage* message)
{
	entry_ref directory;
	const char* name = nullptr;
	if (fBook == nullptr || message->FindRef("directory", &directory) != B_OK ||
		message->FindString("name", &name) != B_OK)
		return;
	int32 choice = message->GetInt32("choice", 0);
	ExportFormat format = choice >= 0 && choice < static_cast<int32>(std::size(kExportFormats))
							  ? kExportFormats[choice]
							  : ExportFormat::kVCard30;
	// The selected records, or all of them when none is selected.
	std::vector<const ABookRecord*> records;
	for (int32 i = 0; fList != nullptr && fList->CurrentSelection(i) >= 0; i++) {
		if (const ABookRecord* record = fBook->getRecord(fList->CurrentSelection(i)))
			records.push_back(record);
	}
	if (records.empty())
		records = ContactExporter::AllRecords(*fBook);

	BPath path(&directory);
	status_t status = path.InitCheck();
	if (status == B_OK)
		status = path.Append(name);
	if (status == B_OK)
		status = ContactExporter::WriteFile(ContactExporter::Text(records, format), path.Path());
	if (status != B_OK) {
		std::string text = std::string("Could not export \"") + name +
						   "\": " + BPrivate::status_text(status) + ".";
		(new BAlert("Message", text.c_str(), "OK", nullptr, nullptr, B_WIDTH_AS_USUAL,
					B_INFO_ALERT))
			->Go();
	}
}

void
ZIBWindow::_Dropped(BMessage* message)
{
	// vCard and CSV files come into this book; anything else is opened as
	// a book of its own, as the open panel would.
	BMessage imports(kMsgImportFiles);
	BMessage opens(B_REFS_RECEIVED);
	entry_ref ref;
	for (int32 i = 0; message->FindRef("refs", i, &ref) == B_OK; i++) {
		if (HasImportExtension(ref.name))
			imports.AddRef("refs", &ref);
		else
			opens.AddRef("refs", &ref);
	}
	if (!imports.IsEmpty())
		_ImportFiles(&imports);
	if (!opens.IsEmpty())
		be_app->PostMessage(&opens);
}
