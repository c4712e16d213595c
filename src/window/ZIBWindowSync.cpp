// The main window's "Synchronize...": the account dialog, the sync on a
// worker thread with a report window that follows it, and taking its
// outcome into the book.

#include "ZIBWindow.h"

#include <string>

#include <AppDefs.h>
#include <Message.h>
#include <Messenger.h>
#include <Path.h>

#include "DialogConstants.h"
#include "ImportReportWindow.h"
#include "SyncAccountWindow.h"
#include "SyncJob.h"
#include "SyncState.h"
#include "ZIBook.h"

namespace {

void
ShowInReport(const BMessenger& report, const std::string& text)
{
	BMessage message(kMsgReportText);
	message.AddString("text", text.c_str());
	report.SendMessage(&message);
}

} // namespace

void
ZIBWindow::_Synchronize(BMessage* account)
{
	if (fBook == nullptr || fEntryRef == nullptr || fSyncJob != nullptr)
		return;
	BPath path(fEntryRef);
	if (path.InitCheck() != B_OK)
		return;
	SyncJob::Account given;
	const char* text = nullptr;
	if (account != nullptr) {
		if (account->FindString("url", &text) == B_OK)
			given.address = QString::fromUtf8(text);
		if (account->FindString("user", &text) == B_OK)
			given.user = QString::fromUtf8(text);
		if (account->FindString("password", &text) == B_OK)
			given.password = QString::fromUtf8(text);
	}
	const QString bookPath = QString::fromUtf8(path.Path());
	if (account == nullptr) {
		// The first time the dialog asks where to.
		SyncState state(bookPath);
		if (state.Open(nullptr) && state.Url().isEmpty()) {
			(new SyncAccountWindow(this, "", "", ""))->Show();
			return;
		}
	}
	auto* report = new ImportReportWindow("Synchronizing this address book...", "Synchronize");
	fSyncReport = BMessenger(report);
	report->Show();
	fSyncJob = new SyncJob(bookPath, *fBook, given, BMessenger(this), fSyncReport);
	fSyncJob->Start();
}

void
ZIBWindow::_SyncDone()
{
	if (fSyncJob == nullptr)
		return;
	SyncJob* job = fSyncJob;
	fSyncJob = nullptr;
	const CardDavResult& result = job->Result();
	if (job->GetOutcome() == SyncJob::kNeedsAccount) {
		fSyncReport.SendMessage(B_QUIT_REQUESTED);
		const SyncJob::Account& tried = job->Tried();
		(new SyncAccountWindow(this, tried.address.toUtf8().constData(),
							   tried.user.toUtf8().constData(),
							   result.message.toUtf8().constData()))
			->Show();
		delete job;
		return;
	}
	std::string text;
	if (job->GetOutcome() == SyncJob::kRan) {
		text = job->Report().Text();
		// An open "Modify" dialog holds a record of the book it would replace.
		if (!job->IsUnchanged(*fBook) || fModifyWindow != nullptr) {
			text += "The address book changed while it was synchronized, so nothing from the "
					"server was taken into it. Close its dialogs and synchronize again.\n";
		} else {
			ZIBook* book = job->TakeBook();
			book->SetLWindow(this);
			SetThisABook(book);
			RedrawList();
			fBook->SetDirty(true);
			fMenus.SetSaveEnabled(true);
			QString error;
			// The sync's state counts only once the book holds its changes.
			if (ZIBSaveFile() == B_OK && !job->Commit(&error))
				text += error.toStdString() + "\n";
		}
	}
	if (!result.IsOk())
		text += result.message.toStdString() + "\n";
	delete job;
	if (fSyncReport.IsValid())
		ShowInReport(fSyncReport, text);
	else
		(new ImportReportWindow(text.c_str(), "Synchronize"))->Show();
}

void
ZIBWindow::_StopSync()
{
	// Waits for the worker; its state is left for the next sync to resume.
	delete fSyncJob;
	fSyncJob = nullptr;
}
