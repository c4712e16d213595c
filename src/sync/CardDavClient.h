#ifndef CARD_DAV_CLIENT_H
#define CARD_DAV_CLIENT_H

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <memory>
#include <utility>

#include "CardDavResult.h"

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

// Cards and collections are named by their href: the path of their URL on
// the server, percent-decoded, so that two spellings of one path compare
// equal. Hrefs that name another host are taken by their path.

struct CardDavAddressBook {
	QUrl url;
	QString displayName;
	// Whether the collection lists its changes with sync-collection.
	bool offersSyncCollection = false;
	// The collection's getctag, empty when the server keeps none or when
	// the book was found by Discover.
	QString ctag;
};

struct CardDavEntry {
	QString href;
	QByteArray etag;
};

struct CardDavCard {
	QString href;
	QByteArray etag;
	QByteArray vcard;
};

struct CardDavChanges {
	// New and changed cards with their current ETag.
	QList<CardDavEntry> changed;
	QStringList removed;
	QString syncToken;
};

// The client side of CardDAV (RFC 6352) over WebDAV (RFC 4918): discovery
// (RFC 6764), listing by sync-collection (RFC 6578) or by ETags, batched
// addressbook-multiget, conditional PUT and DELETE. HTTP and TLS go through
// Qt Network, with Basic and Digest authentication.
//
// Every call is synchronous: it runs a local event loop until its answer has
// come, so it can be used from a command-line tool or from the GUI thread
// (other events are delivered meanwhile, as in a modal dialog). An instance
// belongs to the thread that created it, which must run no other call of it
// while one is in progress, and needs a QCoreApplication. Every call answers
// a CardDavResult whose message names the server and the failure.
class CardDavClient final {
public:
	// user empty: no credentials are offered when the server asks.
	CardDavClient(const QString& user, const QString& password);
	~CardDavClient();
	CardDavClient(const CardDavClient&) = delete;
	CardDavClient& operator=(const CardDavClient&) = delete;

	// How long the server may stay silent during one request.
	void SetTimeout(int milliseconds) { fTimeout = milliseconds; }

	// Finds the user's address books from a server address: the address
	// itself when it names an address book, else through
	// /.well-known/carddav, current-user-principal and addressbook-home-set.
	// kNotFound when there is none.
	CardDavResult Discover(const QUrl& address, QList<CardDavAddressBook>& books);

	// The properties of one address book, its ctag included; kNotFound when
	// url names no address book.
	CardDavResult Describe(const QUrl& url, CardDavAddressBook& book);

	// The collection's current sync-token (RFC 6578), empty when it has none.
	CardDavResult SyncToken(const QUrl& book, QString& token);

	// What changed since token (empty: every card) with sync-collection,
	// following truncated answers to the end. kSyncTokenInvalid when the
	// server refuses a token in any way: list everything again then.
	CardDavResult ListChanges(const QUrl& book, const QString& token, CardDavChanges& changes);

	// Every card of the collection with its ETag (PROPFIND, depth 1).
	CardDavResult ListEntries(const QUrl& book, QList<CardDavEntry>& entries);

	// The cards of hrefs with their ETags, in batches; hrefs the server did
	// not return are appended to missing.
	CardDavResult Multiget(const QUrl& book, const QStringList& hrefs, QList<CardDavCard>& cards,
						   QStringList& missing);

	// Stores a card. etag empty: creates it and fails with
	// kPreconditionFailed when href exists (If-None-Match: *); otherwise
	// replaces it only while it still has that ETag (If-Match). newEtag
	// receives the card's new ETag, or stays empty when the server sent none
	// or a weak one.
	CardDavResult Put(const QUrl& book, const QString& href, const QByteArray& vcard,
					  const QByteArray& etag, QByteArray& newEtag);

	// Deletes a card, only while it has etag when etag is not empty. A card
	// that is already gone counts as deleted.
	CardDavResult Delete(const QUrl& book, const QString& href, const QByteArray& etag);

	// A href for a new card in book, made from its UID.
	static QString NewHref(const QUrl& book, const QString& uid);

	// The URL of href on the server of book.
	static QUrl UrlOf(const QUrl& book, const QString& href);

	static const int kDefaultTimeout = 30000;
	static const int kMultigetBatch = 100;

private:
	using Header = std::pair<QByteArray, QByteArray>;

	struct Answer {
		int status = 0;
		QByteArray body;
		QByteArray etag;
		// After redirects.
		QUrl url;
	};

	CardDavResult _Send(const QByteArray& method, QUrl url, const QByteArray& depth,
						const QByteArray& body, const QList<Header>& headers, Answer& answer);
	CardDavResult _Multistatus(const QByteArray& method, const QUrl& url, const QByteArray& depth,
							   const QByteArray& body, class DavMultistatus& multistatus,
							   QUrl* finalUrl = nullptr);
	CardDavResult _Propfind(const QUrl& url, const QByteArray& depth, const QByteArray& props,
							class DavMultistatus& multistatus, QUrl* finalUrl = nullptr);
	CardDavResult _FindHome(const QUrl& start, QUrl& home, bool& isBook);
	CardDavResult _Describe(const QUrl& url, const QByteArray& props, CardDavAddressBook& book);

	std::unique_ptr<QNetworkAccessManager> fManager;
	QString fUser;
	QString fPassword;
	int fTimeout = kDefaultTimeout;
};

#endif // CARD_DAV_CLIENT_H
