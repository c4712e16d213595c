#include "SyncJob.h"

#include <Message.h>

#include <QElapsedTimer>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>
#include <QUrl>

#include "ABookRecord.h"
#include "BookSync.h"
#include "CardDavClient.h"
#include "DialogConstants.h"
#include "SecretStore.h"
#include "SyncState.h"
#include "WindowConstants.h"
#include "ZIBook.h"

namespace {

const qint64 kProgressInterval = 250;

// Passwords the servers took this session, by server and user; never
// written anywhere.
QMutex sPasswordsLock;
QHash<QString, QString> sPasswords;

QString
KeyOf(const QString& address, const QString& user)
{
	return SecretStore::ServerOf(address) + '\n' + user;
}

QString
SessionPassword(const QString& address, const QString& user)
{
	QMutexLocker lock(&sPasswordsLock);
	return sPasswords.value(KeyOf(address, user));
}

void
SetSessionPassword(const QString& address, const QString& user, const QString& password)
{
	QMutexLocker lock(&sPasswordsLock);
	if (password.isEmpty())
		sPasswords.remove(KeyOf(address, user));
	else
		sPasswords.insert(KeyOf(address, user), password);
}

CardDavResult
LocalFailure(const QString& message)
{
	CardDavResult result;
	result.kind = CardDavResult::kLocal;
	result.message = message;
	return result;
}

} // namespace

SyncJob::SyncJob(const QString& bookPath, const ZIBook& book, const Account& account,
				 const BMessenger& window, const BMessenger& progress)
	: fBookPath(bookPath), fAccount(account), fWindow(window), fProgress(progress),
	  fCopy(new ZIBook(nullptr))
{
	for (ABookRecord* record = book.GetListOfRecords(); record != nullptr;
		 record = record->GetNextRecord()) {
		ABookRecord* copy = fCopy->makeNewRecord();
		for (int field = 0; field < kFieldCount; field++)
			copy->SetField(field, record->Field(field));
		fCopy->IncrementTotalRecordsInThisAB();
		fHashes.append(SyncState::HashOfFields(*record));
	}
}

SyncJob::~SyncJob()
{
	if (fThread != nullptr)
		fThread->wait();
}

void
SyncJob::Start()
{
	fThread.reset(QThread::create([this] { _Run(); }));
	fThread->start();
}

bool
SyncJob::IsUnchanged(const ZIBook& book) const
{
	qsizetype index = 0;
	for (ABookRecord* record = book.GetListOfRecords(); record != nullptr;
		 record = record->GetNextRecord(), index++) {
		if (index >= fHashes.size() || SyncState::HashOfFields(*record) != fHashes[index])
			return false;
	}
	return index == fHashes.size();
}

ZIBook*
SyncJob::TakeBook()
{
	return fCopy.release();
}

bool
SyncJob::Commit(QString* error)
{
	return fSync != nullptr && fSync->Commit(error);
}

void
SyncJob::_Run()
{
	fOutcome = _Sync();
	fWindow.SendMessage(kMsgSyncDone);
}

SyncJob::Outcome
SyncJob::_Sync()
{
	fState.reset(new SyncState(fBookPath));
	QString error;
	if (!fState->Open(&error)) {
		fResult = LocalFailure(error);
		return kFailed;
	}
	if (fAccount.address.isEmpty()) {
		fAccount.address = fState->Url();
		fAccount.user = fState->User();
	}
	if (fAccount.address.isEmpty())
		return kNeedsAccount;
	const bool typed = !fAccount.password.isEmpty();
	if (!typed)
		fAccount.password = SessionPassword(fAccount.address, fAccount.user);
	if (fAccount.password.isEmpty() && !fAccount.user.isEmpty() &&
		!SecretStore().Lookup(fAccount.address, fAccount.user, fAccount.password))
		return kNeedsAccount;

	CardDavClient client(fAccount.user, fAccount.password);
	QList<CardDavAddressBook> books;
	fResult = client.Discover(QUrl(fAccount.address), books);
	if (fResult.kind == CardDavResult::kAuthentication) {
		SetSessionPassword(fAccount.address, fAccount.user, QString());
		return kNeedsAccount;
	}
	if (!fResult.IsOk())
		return kFailed;
	SetSessionPassword(fAccount.address, fAccount.user, fAccount.password);
	// Kept for this session in any case when no secret store takes it.
	if (typed && !fAccount.user.isEmpty())
		SecretStore().Store(fAccount.address, fAccount.user, fAccount.password, nullptr);

	const QUrl url = books.first().url;
	if ((url.toString() != fState->Url() || fAccount.user != fState->User()) &&
		!fState->SetAccount(url.toString(), fAccount.user, &error)) {
		fResult = LocalFailure(error);
		return kFailed;
	}
	fSync.reset(new BookSync(fCopy.get(), fState.get(), &client, url));
	QElapsedTimer shown;
	fSync->SetProgress([this, &shown](const QString& step) {
		// A few lines a second are enough to read.
		if (shown.isValid() && shown.elapsed() < kProgressInterval)
			return;
		shown.start();
		BMessage message(kMsgReportText);
		message.AddString("text", step.toUtf8().constData());
		fProgress.SendMessage(&message);
	});
	fResult = fSync->Run(fReport);
	return kRan;
}
