#ifndef SYNC_JOB_H
#define SYNC_JOB_H

#include <Messenger.h>

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

#include "CardDavResult.h"
#include "SyncReport.h"

class BookSync;
class QThread;
class SyncState;
class ZIBook;

// One "Synchronize..." of a main window's book, run on a thread of its own
// so that the window goes on drawing: the sync works on a copy of the
// book's records and posts kMsgSyncDone to the window when it ends. The
// window then takes the copy if its book did not change meanwhile, saves
// it, and only then calls Commit, as BookSync requires. Dropping a job
// without Commit leaves a state that a later sync resumes from.
//
// The password is the one given, else the one kept for this session, else
// the one in the desktop's secret store; a password the server takes is
// kept for the session, and put in the secret store when it was typed.
class SyncJob final {
public:
	struct Account {
		// Empty: the ones the book was synchronized with last.
		QString address;
		QString user;
		QString password;
	};

	enum Outcome {
		// The sync ran, whole or in part: Result() says which.
		kRan,
		// No address is known for the book, or the password is missing or
		// was refused (Result() says so): the user is asked.
		kNeedsAccount,
		// Nothing was synchronized; Result() says why.
		kFailed,
	};

	// Copies book's records; runs on the window's thread, with it locked.
	// progress receives kMsgReportText messages while the sync runs.
	SyncJob(const QString& bookPath, const ZIBook& book, const Account& account,
			const BMessenger& window, const BMessenger& progress);
	// Waits for the thread.
	~SyncJob();
	SyncJob(const SyncJob&) = delete;
	SyncJob& operator=(const SyncJob&) = delete;

	void Start();

	// After kMsgSyncDone.
	Outcome GetOutcome() const { return fOutcome; }
	const CardDavResult& Result() const { return fResult; }
	const SyncReport& Report() const { return fReport; }
	// The account tried last, for the dialog that asks again.
	const Account& Tried() const { return fAccount; }
	// Whether book holds the records the job copied.
	bool IsUnchanged(const ZIBook& book) const;
	// The synchronized copy, handed over.
	ZIBook* TakeBook();
	// Writes the state of the book's changes; after the book was saved.
	bool Commit(QString* error);

private:
	void _Run();
	Outcome _Sync();

	QString fBookPath;
	Account fAccount;
	BMessenger fWindow;
	BMessenger fProgress;
	std::unique_ptr<ZIBook> fCopy;
	QList<QByteArray> fHashes;
	std::unique_ptr<SyncState> fState;
	std::unique_ptr<BookSync> fSync;
	std::unique_ptr<QThread> fThread;
	Outcome fOutcome = kFailed;
	CardDavResult fResult;
	SyncReport fReport;
};

#endif // SYNC_JOB_H
