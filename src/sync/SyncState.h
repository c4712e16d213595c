#ifndef SYNC_STATE_H
#define SYNC_STATE_H

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QLockFile>
#include <QString>

#include <memory>

class ABookRecord;

// What a book and its CardDAV address book agreed on at the end of the last
// sync: the address book's URL, the user name, the sync-token, the ctag of a
// sync that found the server as the items say, and per card its href, ETag,
// UID and the hash of the record's 21 fields then.
//
// It lives in a file of the user's data folder named after the book's path
// ($XDG_DATA_HOME/x-vnd.vornak-zibmo/sync/), not in an attribute of the book:
// saving a book renames a new file over it, which keeps the path but drops
// every attribute it does not write, and ext4 holds at most one block of
// attributes per file, too little for thousands of cards.
//
// The file is a journal: each change is appended as one line in one write,
// as soon as it is made, so a sync cut off at any point finds every finished
// item on its next start. Loading replays the lines; a torn last line is
// ignored. Compact rewrites the file with one line per item. A file without
// a ctag line (written before there was one) reads as a state without ctag.
//
// An open state holds a lock file, so two syncs of one book (the program and
// the command line) never run at once. Calls that fail put a message in
// error unless it is null. Not thread-safe.
class SyncState final {
public:
	struct Item {
		QString href;
		QByteArray etag;
		QString uid;
		QByteArray fieldsHash;
	};

	// The state of the book at bookPath (made absolute, links resolved).
	explicit SyncState(const QString& bookPath);
	~SyncState();
	SyncState(const SyncState&) = delete;
	SyncState& operator=(const SyncState&) = delete;

	// The state file of the book at bookPath.
	static QString PathFor(const QString& bookPath);

	// Takes the lock and reads the file (a missing file is an empty state).
	// Answers false, with a message, when another sync holds the lock or the
	// file cannot be read or created.
	bool Open(QString* error);

	const QHash<QString, Item>& Items() const { return fItems; }
	const QString& Url() const { return fUrl; }
	const QString& User() const { return fUser; }
	const QString& Token() const { return fToken; }
	// Empty once an item changed after it was set: it then no longer says
	// that the server holds what the items say.
	const QString& Ctag() const { return fCtag; }

	// Each change is in the file when these answer true; false, with a
	// message, when the file could not be written (the state in memory is
	// then unchanged).
	// Another url than before starts the state afresh: no items, no token.
	bool SetAccount(const QString& url, const QString& user, QString* error);
	bool SetToken(const QString& token, QString* error);
	bool SetCtag(const QString& ctag, QString* error);
	bool Record(const Item& item, QString* error);
	bool Forget(const QString& href, QString* error);

	// Rewrites the file with the current state only, through a temporary
	// file that is flushed and renamed over it; nothing to do when the file
	// holds nothing else.
	bool Compact(QString* error);

	// The hash of a record's 21 fields, which changes when any field does.
	static QByteArray HashOfFields(const ABookRecord& record);

private:
	bool _Append(const QByteArray& line, QString* error);
	void _Apply(const QByteArray& line);
	QByteArray _Lines() const;

	QString fBookPath;
	QString fPath;
	std::unique_ptr<QLockFile> fLock;
	QFile fFile;
	QHash<QString, Item> fItems;
	QString fUrl;
	QString fUser;
	QString fToken;
	QString fCtag;
	// Whether the file holds exactly _Lines().
	bool fCompact = false;
};

#endif // SYNC_STATE_H
