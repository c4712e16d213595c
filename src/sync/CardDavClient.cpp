#include "CardDavClient.h"

#include <QAuthenticator>
#include <QEventLoop>
#include <QHash>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QSet>

#include "DavMultistatus.h"

namespace {

const int kMaxRedirects = 5;
// A sync-collection answer may be cut into many; more than this is a loop.
const int kMaxSyncRounds = 10000;
// Bigger answers are refused rather than held in memory.
const qint64 kMaxAnswerBytes = 64 * 1024 * 1024;

// The reply property set once credentials were offered for it.
const char kCredentialsGiven[] = "zibCredentialsGiven";

const char kXmlHead[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";
const char kNamespaces[] = " xmlns:D=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:carddav\""
						   " xmlns:CS=\"http://calendarserver.org/ns/\"";
const char kFindHomeProps[] =
	"<D:resourcetype/><D:current-user-principal/><C:addressbook-home-set/>";
// Some servers (Radicale) read every card to answer getctag or sync-token,
// so only Describe asks for the ctag and only SyncToken for the token.
const char kBookProps[] = "<D:resourcetype/><D:displayname/><D:supported-report-set/>";
const char kCtag[] = "<CS:getctag/>";

QString
Authority(const QUrl& url)
{
	return url.port() >= 0 ? QStringLiteral("%1:%2").arg(url.host()).arg(url.port()) : url.host();
}

QString
Shown(const QUrl& url)
{
	return url.toDisplayString(QUrl::RemoveUserInfo);
}

// The href of raw, resolved against the URL it came from.
QString
HrefOf(const QUrl& base, const QString& raw)
{
	return base.resolved(QUrl(raw)).path(QUrl::FullyDecoded);
}

bool
SameCollection(QString a, QString b)
{
	while (a.endsWith(QLatin1Char('/')))
		a.chop(1);
	while (b.endsWith(QLatin1Char('/')))
		b.chop(1);
	return a == b;
}

QByteArray
Escaped(const QString& text)
{
	return text.toHtmlEscaped().toUtf8();
}

CardDavResult
Failure(CardDavResult::Kind kind, const QString& message, int status = 0)
{
	return CardDavResult{kind, status, message};
}

CardDavResult
NetworkFailure(const QNetworkReply& reply, const QUrl& url, int timeout)
{
	const QString where = Authority(url);
	switch (reply.error()) {
		case QNetworkReply::ConnectionRefusedError:
			return Failure(CardDavResult::kNetwork,
						   QStringLiteral("The server at %1 refused the connection.").arg(where));
		case QNetworkReply::HostNotFoundError:
			return Failure(CardDavResult::kNetwork,
						   QStringLiteral("The server %1 was not found.").arg(url.host()));
		case QNetworkReply::RemoteHostClosedError:
			return Failure(
				CardDavResult::kNetwork,
				QStringLiteral("The server at %1 closed the connection before it answered.")
					.arg(where));
		case QNetworkReply::OperationCanceledError:
		case QNetworkReply::TimeoutError:
			return Failure(CardDavResult::kTimeout,
						   QStringLiteral("The server at %1 did not answer for %2 seconds.")
							   .arg(where)
							   .arg(timeout / 1000.0));
		case QNetworkReply::SslHandshakeFailedError:
			return Failure(CardDavResult::kNetwork,
						   QStringLiteral("The secure connection to %1 failed: %2.")
							   .arg(where, reply.errorString()));
		default:
			return Failure(CardDavResult::kNetwork,
						   QStringLiteral("The connection to the server at %1 failed: %2.")
							   .arg(where, reply.errorString()));
	}
}

// The schemes, and Digest algorithms, that challenges (the WWW-Authenticate
// lines, joined by commas) ask for: "Digest (SHA-256)". A scheme is a token
// that starts a challenge: followed by a parameter, or alone.
QString
AskedAuthentication(const QByteArray& challenges)
{
	static const QRegularExpression scheme(
		QStringLiteral(R"((?:^|,)\s*([A-Za-z0-9-]+)(?=\s+[A-Za-z0-9-]+\s*=|\s*(?:,|$)))"));
	static const QRegularExpression algorithm(
		QStringLiteral(R"(algorithm\s*=\s*"?([A-Za-z0-9-]+))"),
		QRegularExpression::CaseInsensitiveOption);
	const QString text = QString::fromLatin1(challenges);
	QStringList schemes;
	for (const QRegularExpressionMatch& match : scheme.globalMatch(text))
		schemes.append(match.captured(1));
	QStringList algorithms;
	for (const QRegularExpressionMatch& match : algorithm.globalMatch(text))
		algorithms.append(match.captured(1));
	schemes.removeDuplicates();
	algorithms.removeDuplicates();
	QString asked = schemes.isEmpty() ? QStringLiteral("no known kind of") : schemes.join(" or ");
	if (!algorithms.isEmpty())
		asked += QStringLiteral(" (%1)").arg(algorithms.join(" or "));
	return asked;
}

} // namespace

CardDavClient::CardDavClient(const QString& user, const QString& password)
	: fManager(std::make_unique<QNetworkAccessManager>()), fUser(user), fPassword(password)
{
	// Credentials are offered once per request; a second question means the
	// server refused them, and the request then ends with 401.
	QObject::connect(fManager.get(), &QNetworkAccessManager::authenticationRequired, fManager.get(),
					 [this](QNetworkReply* reply, QAuthenticator* authenticator) {
						 if (fUser.isEmpty() || reply->property(kCredentialsGiven).toBool())
							 return;
						 reply->setProperty(kCredentialsGiven, true);
						 authenticator->setUser(fUser);
						 authenticator->setPassword(fPassword);
					 });
}

CardDavClient::~CardDavClient() = default;

QString
CardDavClient::NewHref(const QUrl& book, const QString& uid)
{
	QString name;
	for (QChar c : uid) {
		if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
			(c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
			(c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-') ||
			c == QLatin1Char('_'))
			name += c;
		else
			name += QLatin1Char('_');
	}
	QString path = book.path(QUrl::FullyDecoded);
	if (!path.endsWith(QLatin1Char('/')))
		path += QLatin1Char('/');
	return path + name + QStringLiteral(".vcf");
}

QUrl
CardDavClient::UrlOf(const QUrl& book, const QString& href)
{
	QUrl url = book;
	url.setPath(href, QUrl::DecodedMode);
	url.setQuery(QString());
	url.setFragment(QString());
	return url;
}

CardDavResult
CardDavClient::_Send(const QByteArray& method, QUrl url, const QByteArray& depth,
					 const QByteArray& body, const QList<Header>& headers, Answer& answer)
{
	for (int hop = 0;; hop++) {
		QNetworkRequest request(url);
		request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
							 QNetworkRequest::ManualRedirectPolicy);
		request.setTransferTimeout(fTimeout);
		if (!depth.isEmpty())
			request.setRawHeader("Depth", depth);
		if (!body.isEmpty())
			request.setRawHeader("Content-Type", "application/xml; charset=utf-8");
		for (const auto& [name, value] : headers)
			request.setRawHeader(name, value);

		std::unique_ptr<QNetworkReply> reply(fManager->sendCustomRequest(request, method, body));
		answer.body.clear();
		bool tooBig = false;
		QObject::connect(reply.get(), &QNetworkReply::readyRead, reply.get(), [&] {
			answer.body += reply->readAll();
			if (answer.body.size() > kMaxAnswerBytes && !tooBig) {
				tooBig = true;
				reply->abort();
			}
		});
		if (!reply->isFinished()) {
			QEventLoop loop;
			QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
			loop.exec();
		}
		if (!tooBig && reply->isOpen())
			answer.body += reply->readAll();
		answer.url = url;
		answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
		answer.etag = reply->rawHeader("ETag");
		if (tooBig)
			return Failure(
				CardDavResult::kBadAnswer,
				QStringLiteral("The answer of the server at %1 is too big.").arg(Shown(url)));
		if (answer.status == 0)
			return NetworkFailure(*reply, url, fTimeout);

		const int status = answer.status;
		if (status >= 300 && status < 400 && reply->hasRawHeader("Location")) {
			if (hop == kMaxRedirects)
				return Failure(
					CardDavResult::kServer,
					QStringLiteral("The server at %1 redirects too often.").arg(Authority(url)),
					status);
			const QUrl next = url.resolved(QUrl(QString::fromUtf8(reply->rawHeader("Location"))));
			// The password must not follow a redirect out of TLS.
			if (url.scheme() == QLatin1String("https") && next.scheme() != QLatin1String("https"))
				return Failure(
					CardDavResult::kServer,
					QStringLiteral("The server at %1 redirects to the insecure address %2.")
						.arg(Authority(url), Shown(next)),
					status);
			url = next;
			continue;
		}
		if (status >= 200 && status < 300)
			return CardDavResult{};

		const QString reason =
			reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
		switch (status) {
			case 401:
				// Qt offers no credentials to a challenge it cannot answer
				// (Digest with SHA-256 in Qt 6.4, Bearer): asking the user
				// again would not help.
				if (!fUser.isEmpty() && !reply->property(kCredentialsGiven).toBool())
					return Failure(CardDavResult::kServer,
								   QStringLiteral("The server at %1 asks for %2 authentication, "
												  "which this program cannot answer.")
									   .arg(Authority(url), AskedAuthentication(reply->rawHeader(
																"WWW-Authenticate"))),
								   status);
				return Failure(CardDavResult::kAuthentication,
							   fUser.isEmpty()
								   ? QStringLiteral("The server at %1 asks for a user name "
													"and password.")
										 .arg(Authority(url))
								   : QStringLiteral("The server at %1 refused the password "
													"of the user \"%2\".")
										 .arg(Authority(url), fUser),
							   status);
			case 404:
			case 410:
				return Failure(CardDavResult::kNotFound,
							   QStringLiteral("Nothing was found at %1.").arg(Shown(url)), status);
			case 412:
				return Failure(
					CardDavResult::kPreconditionFailed,
					QStringLiteral("The card at %1 was changed or created on the server meanwhile.")
						.arg(Shown(url)),
					status);
			default:
				return Failure(CardDavResult::kServer,
							   QStringLiteral("The server at %1 answered \"%2 %3\" to %4 %5.")
								   .arg(Authority(url))
								   .arg(status)
								   .arg(reason, QString::fromLatin1(method), url.path()),
							   status);
		}
	}
}

CardDavResult
CardDavClient::_Multistatus(const QByteArray& method, const QUrl& url, const QByteArray& depth,
							const QByteArray& body, DavMultistatus& multistatus, QUrl* finalUrl)
{
	Answer answer;
	CardDavResult result = _Send(method, url, depth, body, {}, answer);
	if (finalUrl != nullptr)
		*finalUrl = answer.url;
	if (result.kind == CardDavResult::kServer && (answer.status == 403 || answer.status == 409) &&
		answer.body.contains("valid-sync-token"))
		result.kind = CardDavResult::kSyncTokenInvalid;
	if (!result.IsOk())
		return result;
	QString error;
	if (answer.status != 207 || !multistatus.Parse(answer.body, &error)) {
		if (answer.status != 207)
			error = QStringLiteral("status %1 instead of 207 Multi-Status").arg(answer.status);
		return Failure(CardDavResult::kBadAnswer,
					   QStringLiteral("The answer of the server at %1 to %2 could not be read: %3.")
						   .arg(Authority(answer.url), QString::fromLatin1(method), error),
					   answer.status);
	}
	return result;
}

CardDavResult
CardDavClient::_Propfind(const QUrl& url, const QByteArray& depth, const QByteArray& props,
						 DavMultistatus& multistatus, QUrl* finalUrl)
{
	const QByteArray body = QByteArray(kXmlHead) + "<D:propfind" + kNamespaces + "><D:prop>" +
							props + "</D:prop></D:propfind>";
	return _Multistatus("PROPFIND", url, depth, body, multistatus, finalUrl);
}

CardDavResult
CardDavClient::_FindHome(const QUrl& start, QUrl& home, bool& isBook)
{
	DavMultistatus found;
	QUrl base;
	CardDavResult result = _Propfind(start, "0", kFindHomeProps, found, &base);
	if (!result.IsOk())
		return result;
	const DavResponse none;
	const DavResponse& self = found.responses.isEmpty() ? none : found.responses.first();
	isBook = self.isAddressBook;
	if (isBook) {
		home = base;
		return result;
	}
	if (!self.addressBookHome.isEmpty()) {
		home = UrlOf(base, HrefOf(base, self.addressBookHome));
		return result;
	}
	if (self.principal.isEmpty()) {
		home = base;
		return result;
	}
	const QUrl principal = UrlOf(base, HrefOf(base, self.principal));
	DavMultistatus ofPrincipal;
	result = _Propfind(principal, "0", kFindHomeProps, ofPrincipal, &base);
	if (!result.IsOk())
		return result;
	if (ofPrincipal.responses.isEmpty() || ofPrincipal.responses.first().addressBookHome.isEmpty())
		home = base;
	else
		home = UrlOf(base, HrefOf(base, ofPrincipal.responses.first().addressBookHome));
	return result;
}

CardDavResult
CardDavClient::Discover(const QUrl& address, QList<CardDavAddressBook>& books)
{
	books.clear();
	QUrl start = address;
	if (start.path().isEmpty())
		start.setPath(QStringLiteral("/"));
	QUrl home;
	bool isBook = false;
	CardDavResult result;
	if (start.path() == QLatin1String("/")) {
		result =
			_FindHome(start.resolved(QUrl(QStringLiteral("/.well-known/carddav"))), home, isBook);
		// Servers without the well-known address are asked at the address.
		if (result.kind == CardDavResult::kNetwork || result.kind == CardDavResult::kTimeout ||
			result.kind == CardDavResult::kAuthentication)
			return result;
	}
	if (!result.IsOk() || home.isEmpty()) {
		result = _FindHome(start, home, isBook);
		if (!result.IsOk())
			return result;
	}
	if (isBook) {
		CardDavAddressBook book;
		result = _Describe(home, kBookProps, book);
		if (result.IsOk())
			books.append(book);
		return result;
	}

	DavMultistatus listing;
	QUrl base;
	result = _Propfind(home, "1", kBookProps, listing, &base);
	if (!result.IsOk())
		return result;
	for (const DavResponse& response : listing.responses) {
		if (!response.isAddressBook)
			continue;
		CardDavAddressBook book;
		book.url = UrlOf(base, HrefOf(base, response.href));
		book.displayName = response.displayName;
		book.offersSyncCollection = response.offersSyncCollection;
		books.append(book);
	}
	if (books.isEmpty())
		return Failure(CardDavResult::kNotFound,
					   QStringLiteral("No address book was found at %1.").arg(Shown(address)));
	return result;
}

CardDavResult
CardDavClient::Describe(const QUrl& url, CardDavAddressBook& book)
{
	return _Describe(url, QByteArray(kBookProps) + kCtag, book);
}

CardDavResult
CardDavClient::_Describe(const QUrl& url, const QByteArray& props, CardDavAddressBook& book)
{
	DavMultistatus found;
	QUrl base;
	CardDavResult result = _Propfind(url, "0", props, found, &base);
	if (!result.IsOk())
		return result;
	if (found.responses.isEmpty() || !found.responses.first().isAddressBook)
		return Failure(CardDavResult::kNotFound,
					   QStringLiteral("%1 is not an address book.").arg(Shown(url)));
	const DavResponse& self = found.responses.first();
	book.url = base;
	book.displayName = self.displayName;
	book.offersSyncCollection = self.offersSyncCollection;
	book.ctag = self.ctag;
	return result;
}

CardDavResult
CardDavClient::SyncToken(const QUrl& book, QString& token)
{
	DavMultistatus found;
	CardDavResult result = _Propfind(book, "0", "<D:sync-token/>", found);
	token =
		result.IsOk() && !found.responses.isEmpty() ? found.responses.first().syncToken : QString();
	return result;
}

CardDavResult
CardDavClient::ListChanges(const QUrl& book, const QString& token, CardDavChanges& changes)
{
	changes = CardDavChanges();
	// A card listed in several rounds keeps its last state.
	QStringList order;
	QHash<QString, QByteArray> etags;
	QSet<QString> removed;
	QString current = token;
	for (int round = 0; round < kMaxSyncRounds; round++) {
		const QByteArray body =
			QByteArray(kXmlHead) + "<D:sync-collection" + kNamespaces + "><D:sync-token>" +
			Escaped(current) +
			"</D:sync-token><D:sync-level>1</D:sync-level><D:prop><D:getetag/></D:prop>"
			"</D:sync-collection>";
		DavMultistatus answer;
		QUrl base;
		CardDavResult result = _Multistatus("REPORT", book, "0", body, answer, &base);
		// Servers refuse a token they no longer know in different ways: the
		// valid-sync-token error, or a failure (Xandikos answers 500).
		if (result.kind == CardDavResult::kServer && !current.isEmpty())
			result.kind = CardDavResult::kSyncTokenInvalid;
		if (!result.IsOk())
			return result;
		if (answer.syncToken.isEmpty())
			return Failure(
				CardDavResult::kBadAnswer,
				QStringLiteral("The server at %1 sent no sync-token.").arg(Authority(base)));
		bool truncated = false;
		for (const DavResponse& response : answer.responses) {
			const QString href = HrefOf(base, response.href);
			if (SameCollection(href, base.path(QUrl::FullyDecoded))) {
				truncated |= response.status == 507;
				continue;
			}
			if (response.status == 404) {
				removed.insert(href);
				etags.remove(href);
			} else if (!response.etag.isEmpty()) {
				removed.remove(href);
				etags.insert(href, response.etag);
				order.append(href);
			}
		}
		// A server that cuts its answer must move its token on.
		const bool movedOn = answer.syncToken != current;
		current = answer.syncToken;
		if (!truncated || !movedOn)
			break;
	}
	QSet<QString> listed;
	for (const QString& href : order) {
		if (etags.contains(href) && !listed.contains(href)) {
			listed.insert(href);
			changes.changed.append(CardDavEntry{href, etags.value(href)});
		}
	}
	changes.removed = QStringList(removed.begin(), removed.end());
	changes.removed.sort();
	changes.syncToken = current;
	return CardDavResult{};
}

CardDavResult
CardDavClient::ListEntries(const QUrl& book, QList<CardDavEntry>& entries)
{
	entries.clear();
	DavMultistatus listing;
	QUrl base;
	CardDavResult result = _Propfind(book, "1", "<D:resourcetype/><D:getetag/>", listing, &base);
	if (!result.IsOk())
		return result;
	for (const DavResponse& response : listing.responses) {
		if (response.isCollection || response.etag.isEmpty())
			continue;
		entries.append(CardDavEntry{HrefOf(base, response.href), response.etag});
	}
	return result;
}

CardDavResult
CardDavClient::Multiget(const QUrl& book, const QStringList& hrefs, QList<CardDavCard>& cards,
						QStringList& missing)
{
	for (qsizetype first = 0; first < hrefs.size(); first += kMultigetBatch) {
		const QStringList batch = hrefs.mid(first, kMultigetBatch);
		QByteArray body = QByteArray(kXmlHead) + "<C:addressbook-multiget" + kNamespaces +
						  "><D:prop><D:getetag/><C:address-data/></D:prop>";
		for (const QString& href : batch)
			body += "<D:href>" + Escaped(UrlOf(book, href).path(QUrl::FullyEncoded)) + "</D:href>";
		body += "</C:addressbook-multiget>";
		DavMultistatus answer;
		QUrl base;
		CardDavResult result = _Multistatus("REPORT", book, QByteArray(), body, answer, &base);
		if (!result.IsOk())
			return result;
		QSet<QString> wanted(batch.begin(), batch.end());
		for (const DavResponse& response : answer.responses) {
			const QString href = HrefOf(base, response.href);
			if (response.status == 404 || response.addressData.isEmpty() || !wanted.remove(href))
				continue;
			cards.append(CardDavCard{href, response.etag, response.addressData});
		}
		for (const QString& href : batch) {
			if (wanted.contains(href))
				missing.append(href);
		}
	}
	return CardDavResult{};
}

CardDavResult
CardDavClient::Put(const QUrl& book, const QString& href, const QByteArray& vcard,
				   const QByteArray& etag, QByteArray& newEtag)
{
	newEtag.clear();
	Answer answer;
	QList<Header> headers{{"Content-Type", "text/vcard; charset=utf-8"}};
	if (etag.isEmpty())
		headers.append(Header("If-None-Match", "*"));
	else
		headers.append(Header("If-Match", etag));
	CardDavResult result = _Send("PUT", UrlOf(book, href), QByteArray(), vcard, headers, answer);
	if (result.IsOk() && !answer.etag.startsWith("W/"))
		newEtag = answer.etag;
	return result;
}

CardDavResult
CardDavClient::Delete(const QUrl& book, const QString& href, const QByteArray& etag)
{
	Answer answer;
	QList<Header> headers;
	if (!etag.isEmpty())
		headers.append(Header("If-Match", etag));
	CardDavResult result =
		_Send("DELETE", UrlOf(book, href), QByteArray(), QByteArray(), headers, answer);
	if (result.kind == CardDavResult::kNotFound)
		return CardDavResult{};
	return result;
}
