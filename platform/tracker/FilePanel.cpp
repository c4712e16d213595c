#include "FilePanel.h"

#include <AppDefs.h>
#include <Application.h>
#include <Message.h>
#include <Path.h>

#include "FilePanelDialog.h"

namespace BPrivate {

status_t
accept_file_panel(BFilePanel* panel, const std::vector<std::string>& paths)
{
	status_t status = panel->_Accept(paths);
	if (panel->fHideWhenDone) {
		panel->fDialog->hide();
		panel->_Closed();
	}
	return status;
}

void
cancel_file_panel(BFilePanel* panel)
{
	panel->fDialog->hide();
	panel->_Closed();
}

void
set_file_panel_choices(BFilePanel* panel, const std::vector<std::string>& choices)
{
	QStringList filters;
	for (const std::string& choice : choices)
		filters << QString::fromStdString(choice);
	panel->fDialog->setNameFilters(filters);
	panel->fHasChoices = !choices.empty();
}

void
select_file_panel_choice(BFilePanel* panel, int32 index)
{
	QStringList filters = panel->fDialog->nameFilters();
	if (index >= 0 && index < filters.size())
		panel->fDialog->selectNameFilter(filters[index]);
}

} // namespace BPrivate

BFilePanel::BFilePanel(file_panel_mode mode, BMessenger* target, const entry_ref* directory,
					   uint32 nodeFlavors, bool allowMultipleSelection, BMessage* message,
					   BRefFilter* filter, bool modal, bool hideWhenDone)
	: fTarget(target != nullptr ? *target : be_app_messenger), fMode(mode),
	  fHideWhenDone(hideWhenDone)
{
	fDialog = std::make_unique<BPrivate::FilePanelDialog>(this, filter);
	SetMessage(message);
	fDialog->setModal(modal);
	if (mode == B_SAVE_PANEL) {
		fDialog->setAcceptMode(QFileDialog::AcceptSave);
		fDialog->setFileMode(QFileDialog::AnyFile);
	} else if (nodeFlavors == B_DIRECTORY_NODE) {
		fDialog->setFileMode(QFileDialog::Directory);
	} else {
		fDialog->setFileMode(allowMultipleSelection ? QFileDialog::ExistingFiles
													: QFileDialog::ExistingFile);
	}
	BPath path;
	if (directory != nullptr && path.SetTo(directory) == B_OK)
		fDialog->setDirectory(QString::fromUtf8(path.Path()));
}

BFilePanel::~BFilePanel() = default;

void
BFilePanel::Show()
{
	fDialog->show();
	fDialog->raise();
}

void
BFilePanel::Hide()
{
	fDialog->hide();
}

bool
BFilePanel::IsShowing() const
{
	return fDialog->isVisible();
}

void
BFilePanel::SetMessage(BMessage* message)
{
	fMessage.reset(message != nullptr ? new BMessage(*message) : nullptr);
}

void
BFilePanel::SetSaveText(const char* text)
{
	fDialog->selectFile(QString::fromUtf8(text != nullptr ? text : ""));
}

status_t
BFilePanel::_Accept(const std::vector<std::string>& paths)
{
	BMessage message(_What());
	if (fMessage != nullptr)
		message = *fMessage;
	if (fHasChoices)
		message.AddInt32("choice", static_cast<int32>(fDialog->nameFilters().indexOf(
									   fDialog->selectedNameFilter())));
	if (fMode == B_SAVE_PANEL) {
		if (paths.size() != 1)
			return B_BAD_VALUE;
		BPath file(paths.front().c_str());
		BPath parent;
		entry_ref directory;
		status_t status = file.InitCheck();
		if (status == B_OK)
			status = file.GetParent(&parent);
		if (status == B_OK && !BEntry(parent.Path()).Exists())
			status = B_ENTRY_NOT_FOUND;
		if (status == B_OK)
			status = get_ref_for_path(parent.Path(), &directory);
		if (status != B_OK)
			return status;
		message.AddRef("directory", &directory);
		message.AddString("name", file.Leaf());
	} else {
		for (const std::string& path : paths) {
			entry_ref ref;
			if (get_ref_for_path(path.c_str(), &ref) == B_OK)
				message.AddRef("refs", &ref);
		}
	}
	return fTarget.SendMessage(&message);
}

void
BFilePanel::_Closed()
{
	BMessage cancel(B_CANCEL);
	cancel.AddInt32("old_what", static_cast<int32>(_What()));
	cancel.AddPointer("source", this);
	// A target that has gone needs no notice.
	fTarget.SendMessage(&cancel);
}

uint32
BFilePanel::_What() const
{
	if (fMessage != nullptr)
		return fMessage->what;
	return fMode == B_SAVE_PANEL ? static_cast<uint32>(B_SAVE_REQUESTED)
								 : static_cast<uint32>(B_REFS_RECEIVED);
}
