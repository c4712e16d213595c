#ifndef BOOK_SYNC_H
#define BOOK_SYNC_H

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QUrl>

#include <functional>

#include "CardDavResult.h"
#include "ContactDraft.h"
#include "SyncState.h"
#include "VCardWriter.h"

class ABookRecord;
class CardDavClient;
struct SyncReport;
class ZIBook;

// Two-way sync of a book with a CardDAV address book, record by record.
//
// Records are known by the hash of their fields at the last sync (the book
// keeps no ids): an unchanged record has its hash; a record changed here is
// found again by the nickname, or first name, last name and "Email 1", of
// its card, else by the fields it shares with the card. New records go up, new cards come down,
// changes and deletions go both ways. A record changed on both sides takes the server's version and
// its local version is added as a new record that the report names. A card is updated by writing
// the fields onto the server's card, so every property without a field stays as it was. A first
// sync links a card and a record of the same person instead of copying either.
//
// Work on the server is written to the state as soon as it is done; changes
// to the book are only in memory until the caller saves the book and then
// calls Commit, which writes their state and the new sync-token. A sync cut
// off anywhere therefore resumes without duplicating or deleting anything.
//
// The server is asked first for its ctag (else its sync-token): when it is
// the one the state keeps, nothing changed there and nothing is listed. The
// state keeps a ctag only from a sync whose listing found nothing new and
// that wrote nothing to the server, so a ctag that has not moved since says
// the items are what the server holds.
// Runs on the book's thread; the book must not change meanwhile.
class BookSync final {
public:
	// None of them is owned; all outlive the sync. state is open.
	BookSync(ZIBook* book, SyncState* state, CardDavClient* client, const QUrl& addressBook);

	// Brings both sides together; report counts what was done, also when a
	// failure stopped the sync half-way (the result says why).
	CardDavResult Run(SyncReport& report);

	// Called on the sync's thread with a line that says what it is doing:
	// each step, and each record it sends or card it updates or deletes.
	void SetProgress(std::function<void(const QString&)> progress)
	{
		fProgress = std::move(progress);
	}

	// Writes the state of the book's changes, and after a whole run the
	// sync-token. Call it after the book was saved.
	bool Commit(QString* error);

private:
	struct Card {
		QByteArray etag;
		QByteArray vcard;
		QString uid;
		ContactFields fields;
		// The values cut to fit their field.
		std::vector<std::string> cut;
	};

	CardDavResult _ListServer();
	CardDavResult _FetchCards(const QStringList& hrefs);
	void _IndexFresh(ABookRecord* record);
	ABookRecord* _TakeSamePerson(const ContactFields& fields);
	void _TakeMostAlike(const QStringList& unlinked, QHash<QString, ABookRecord*>& changedHere);
	ABookRecord* _AddRecord(const ContactFields& fields);
	// Writes the card's fields into record and keeps its state for Commit.
	void _Take(const QString& href, const Card& card, ABookRecord* record);
	// Adds the local version of record as a new record, sent up in this
	// sync, and then takes the server's version into record.
	void _KeepBoth(const QString& href, const Card& card, ABookRecord* record);
	CardDavResult _Upload(ABookRecord* record);
	CardDavResult _Update(const QString& href, ABookRecord* record);
	CardDavResult _Put(const QString& href, const QByteArray& vcard, const QByteArray& ifMatch,
					   const QString& uid, ABookRecord* record, int& done);
	static CardDavResult _Failed(const QString& error);
	void _Tell(const QString& step) const;

	ZIBook* fBook;
	SyncState* fState;
	CardDavClient* fClient;
	QUrl fUrl;

	// What the server changed since the last sync.
	QHash<QString, QByteArray> fChangedThere;
	QSet<QString> fRemovedThere;
	QString fToken;
	// The ctag before the listing, and whether the listing found the server
	// as the state says and nothing was written there since.
	QString fCtag;
	bool fQuietThere = false;
	QHash<QString, Card> fCards;
	// Records not linked to a card, in book order, and by the keys of a
	// person; a record found by its key is taken out.
	QList<ABookRecord*> fFresh;
	QSet<ABookRecord*> fTaken;
	QHash<QString, QList<ABookRecord*>> fByNickname;
	QHash<QString, QList<ABookRecord*>> fByNameAndEmail;
	SyncReport* fReport = nullptr;
	VCardWriter fWriter{VCardWriter::kVersion30};

	// State of changes made to the book, for Commit; an empty etag and uid
	// with no hash forgets the href.
	QList<SyncState::Item> fPending;
	bool fWhole = false;
	std::function<void(const QString&)> fProgress;
};

#endif // BOOK_SYNC_H
