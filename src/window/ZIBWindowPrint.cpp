// The main window's print commands: the list, envelopes and labels, letters
// and mail merge, each on the selected records, or on all when none is
// selected. Each command prints copies of the records taken when it starts.

#include "ZIBWindow.h"

#include <QDate>
#include <QLocale>

#include <ErrnoStatus.h>
#include <MenuItem.h>

#include "ABListView.h"
#include "BookSnapshot.h"
#include "EnvelopeLayout.h"
#include "LabelLayout.h"
#include "LetterLayout.h"
#include "ListLayout.h"
#include "MergeLayout.h"
#include "MergeTemplate.h"
#include "PrintOptionsDialog.h"
#include "PrintPreview.h"
#include "ZIBapp.h"
#include "ZIBook.h"

namespace {

PreferenceSet*
Settings()
{
	return gZIBapp != nullptr ? gZIBapp->GetSettings() : nullptr;
}

// The preview of layout's pages of the snapshot's records; both live as
// long as the preview.
template <class Layout>
void
Preview(const std::string& title, std::shared_ptr<BookSnapshot> snapshot, Layout layout)
{
	ShowPrintPreview(title, [snapshot, layout](QPagedPaintDevice* device) {
		return layout.Print(device, snapshot->Records());
	});
}

std::string
PrintEnvelopes(const std::string& title, const std::shared_ptr<BookSnapshot>& snapshot,
			   const PrintOptionsDialog::Choice& choice)
{
	const PrintSettings& settings = choice.settings;
	if (IsLabelSheet(settings.paper))
		Preview(title, snapshot, LabelLayout(settings.paper, settings.firstLabel - 1));
	else
		Preview(title, snapshot,
				EnvelopeLayout(settings.paper, snapshot->Nickname(settings.sender)));
	return std::string();
}

std::string
PrintLetters(const std::string& title, const std::shared_ptr<BookSnapshot>& snapshot,
			 const PrintOptionsDialog::Choice& choice)
{
	QString date = QLocale().toString(QDate::currentDate(), QLocale::LongFormat);
	Preview(title, snapshot,
			LetterLayout(snapshot->Nickname(choice.settings.sender), date.toStdString(),
						 choice.body, LocalePaperSize()));
	return std::string();
}

std::string
MergeRecords(const std::string& title, const std::shared_ptr<BookSnapshot>& snapshot,
			 const PrintOptionsDialog::Choice& choice)
{
	auto mergeTemplate = std::make_shared<MergeTemplate>(choice.templateText);
	if (!mergeTemplate->Error().empty())
		return mergeTemplate->Error();
	if (!choice.folder.empty()) {
		std::vector<std::string> written;
		status_t status = mergeTemplate->WriteFiles(choice.folder, snapshot->Records(), written);
		if (status == B_OK)
			return std::string();
		return "The text files cannot be written into \"" + choice.folder +
			   "\": " + BPrivate::status_text(status) + ".";
	}
	ShowPrintPreview(title, [snapshot, mergeTemplate](QPagedPaintDevice* device) {
		return MergeLayout(*mergeTemplate, LocalePaperSize()).Print(device, snapshot->Records());
	});
	return std::string();
}

} // namespace

std::shared_ptr<BookSnapshot>
ZIBWindow::_PrintSnapshot() const
{
	std::vector<int> rows;
	for (int32 i = 0; fList != nullptr && fList->CurrentSelection(i) >= 0; i++)
		rows.push_back(fList->CurrentSelection(i));
	return std::make_shared<BookSnapshot>(*fBook, rows);
}

std::string
ZIBWindow::_BookTitle() const
{
	size_t slash = fFilePath.find_last_of('/');
	if (fFilePath.empty())
		return "Untitled";
	return slash == std::string::npos ? fFilePath : fFilePath.substr(slash + 1);
}

void
ZIBWindow::_PrintList()
{
	if (fBook == nullptr)
		return;
	std::vector<int> fields;
	for (int field = 0; field < kFieldCount; field++) {
		if (fMenus.viewFieldItems[field]->IsMarked())
			fields.push_back(field);
	}
	std::string title = _BookTitle();
	Preview(title, _PrintSnapshot(), ListLayout(title, fields));
}

void
ZIBWindow::_PrintWithOptions(uint32 command)
{
	if (fBook == nullptr)
		return;
	using Kind = PrintOptionsDialog::Kind;
	Kind kind = command == kMsgEnvelope ? Kind::kEnvelope
				: command == kMsgLetter ? Kind::kLetter
										: Kind::kMerge;
	std::shared_ptr<BookSnapshot> snapshot = _PrintSnapshot();
	std::string title = _BookTitle();
	auto accept = [kind, snapshot, title](const PrintOptionsDialog::Choice& choice) {
		if (kind == Kind::kMerge)
			return MergeRecords(title, snapshot, choice);
		choice.settings.Store(Settings());
		return kind == Kind::kEnvelope ? PrintEnvelopes(title, snapshot, choice)
									   : PrintLetters(title, snapshot, choice);
	};
	auto* dialog =
		new PrintOptionsDialog(kind, snapshot->All(), PrintSettings::Load(Settings()), accept);
	dialog->show();
}
