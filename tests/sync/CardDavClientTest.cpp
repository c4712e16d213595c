#include <signal.h>

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <gtest/gtest.h>

#include "CardDavServerTest.h"

namespace {

class CardDavClientTest : public CardDavServerTest {
protected:
	// Creates a card and answers its ETag.
	QByteArray Create(const QString& uid, const QByteArray& extra = QByteArray())
	{
		QByteArray etag;
		CardDavResult result = fClient->Put(fUrl, CardDavClient::NewHref(fUrl, uid),
											TestCard(uid, uid, extra), QByteArray(), etag);
		EXPECT_TRUE(result.IsOk()) << result.message.toStdString();
		return etag;
	}

	QByteArray EtagOf(const QString& href)
	{
		QList<CardDavEntry> entries;
		EXPECT_TRUE(fClient->ListEntries(fUrl, entries).IsOk());
		for (const CardDavEntry& entry : entries) {
			if (entry.href == href)
				return entry.etag;
		}
		return QByteArray();
	}
};

TEST_P(CardDavClientTest, DiscoversTheAddressBookFromTheServerAddress)
{
	for (const std::string& address : {fServer.Address(), fServer.BookAddress()}) {
		QList<CardDavAddressBook> books;
		CardDavResult result = fClient->Discover(QUrl(QString::fromStdString(address)), books);
		ASSERT_TRUE(result.IsOk()) << address << ": " << result.message.toStdString();
		ASSERT_EQ(books.size(), 1) << address;
		EXPECT_EQ(books[0].url, fUrl) << address;
		EXPECT_TRUE(books[0].offersSyncCollection) << address;
	}
	CardDavAddressBook book;
	ASSERT_TRUE(fClient->Describe(fUrl, book).IsOk());
	EXPECT_FALSE(book.ctag.isEmpty());
	QString token;
	ASSERT_TRUE(fClient->SyncToken(fUrl, token).IsOk());
	EXPECT_FALSE(token.isEmpty());
}

// Conditional writes: a create never replaces, a stale ETag never wins, and
// cards keep the properties we send, whatever they are.
TEST_P(CardDavClientTest, ConditionalPutAndDeleteKeepEveryoneElsesChanges)
{
	const QString href = CardDavClient::NewHref(fUrl, QStringLiteral("ann@home"));
	const QByteArray photo = "PHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQSkZJRg==\r\n"
							 "TEL;TYPE=CAR:+1 555 0199\r\nX-PET:Rex\r\n";
	const QByteArray first = Create(QStringLiteral("ann@home"), photo);

	QByteArray etag;
	EXPECT_EQ(fClient->Put(fUrl, href, TestCard("ann@home", "Twin"), QByteArray(), etag).kind,
			  CardDavResult::kPreconditionFailed);
	EXPECT_EQ(fClient->Put(fUrl, href, TestCard("ann@home", "Stale"), "\"stale\"", etag).kind,
			  CardDavResult::kPreconditionFailed);

	const QByteArray current = first.isEmpty() ? EtagOf(href) : first;
	ASSERT_FALSE(current.isEmpty());
	ASSERT_TRUE(fClient->Put(fUrl, href, TestCard("ann@home", "Ann", photo), current, etag).IsOk());
	const QByteArray second = etag.isEmpty() ? EtagOf(href) : etag;
	EXPECT_NE(second, current);

	QList<CardDavCard> cards;
	QStringList missing;
	const QString gone = CardDavClient::NewHref(fUrl, QStringLiteral("nobody"));
	ASSERT_TRUE(fClient->Multiget(fUrl, {href, gone}, cards, missing).IsOk());
	ASSERT_EQ(cards.size(), 1);
	EXPECT_EQ(cards[0].href, href);
	EXPECT_EQ(cards[0].etag, second);
	for (const char* text : {"FN:Ann", "X-PET:Rex", "TEL;TYPE=CAR:+1 555 0199", "/9j/4AAQSkZJRg=="})
		EXPECT_TRUE(cards[0].vcard.contains(text)) << text << " in " << cards[0].vcard.data();
	EXPECT_EQ(missing, QStringList{gone});

	EXPECT_EQ(fClient->Delete(fUrl, href, current).kind, CardDavResult::kPreconditionFailed);
	EXPECT_TRUE(fClient->Delete(fUrl, href, second).IsOk());
	EXPECT_TRUE(fClient->Delete(fUrl, href, second).IsOk()) << "already gone";
	EXPECT_TRUE(EtagOf(href).isEmpty());
}

TEST_P(CardDavClientTest, ListsChangesSinceTheLastToken)
{
	Create(QStringLiteral("kept"));
	const QByteArray changedEtag = Create(QStringLiteral("changed"));
	Create(QStringLiteral("removed"));
	CardDavChanges all;
	ASSERT_TRUE(fClient->ListChanges(fUrl, QString(), all).IsOk());
	EXPECT_EQ(all.changed.size(), 3);
	EXPECT_TRUE(all.removed.isEmpty());

	const QString changed = CardDavClient::NewHref(fUrl, QStringLiteral("changed"));
	const QString removed = CardDavClient::NewHref(fUrl, QStringLiteral("removed"));
	const QString added = CardDavClient::NewHref(fUrl, QStringLiteral("added"));
	QByteArray etag;
	ASSERT_TRUE(fClient
					->Put(fUrl, changed, TestCard("changed", "New name"),
						  changedEtag.isEmpty() ? EtagOf(changed) : changedEtag, etag)
					.IsOk());
	ASSERT_TRUE(fClient->Delete(fUrl, removed, QByteArray()).IsOk());
	Create(QStringLiteral("added"));

	CardDavChanges since;
	ASSERT_TRUE(fClient->ListChanges(fUrl, all.syncToken, since).IsOk());
	QStringList hrefs;
	for (const CardDavEntry& entry : since.changed)
		hrefs.append(entry.href);
	hrefs.sort();
	EXPECT_EQ(hrefs, (QStringList{added, changed}));
	EXPECT_EQ(since.removed, QStringList{removed});
	EXPECT_NE(since.syncToken, all.syncToken);

	CardDavChanges none;
	ASSERT_TRUE(fClient->ListChanges(fUrl, since.syncToken, none).IsOk());
	EXPECT_TRUE(none.changed.isEmpty());
	EXPECT_TRUE(none.removed.isEmpty());

	CardDavChanges unknown;
	CardDavResult result = fClient->ListChanges(fUrl, since.syncToken + "x", unknown);
	EXPECT_EQ(result.kind, CardDavResult::kSyncTokenInvalid) << result.message.toStdString();
}

// A thousand cards, more than one multiget batch, listed by ETag as for
// servers without sync-collection.
using CardDavManyCardsTest = TestDirectory;

TEST_F(CardDavManyCardsTest, FetchesAThousandCardsInBatches)
{
	EnsureCoreApplication();
	const int count = 1000;
	std::vector<std::pair<std::string, std::string>> files;
	for (int i = 0; i < count; i++) {
		const QString uid = QStringLiteral("card%1").arg(i);
		files.emplace_back(uid.toStdString() + ".vcf", TestCard(uid, uid).toStdString());
	}
	CardDavServer server;
	std::string error;
	ASSERT_TRUE(server.Start(CardDavServer::kRadicale, fPath, &error, files)) << error;
	const QUrl book(QString::fromStdString(server.BookAddress()));
	CardDavClient client(QString::fromStdString(server.User()),
						 QString::fromStdString(server.Password()));

	QList<CardDavEntry> entries;
	ASSERT_TRUE(client.ListEntries(book, entries).IsOk());
	ASSERT_EQ(entries.size(), count);
	QStringList hrefs;
	for (const CardDavEntry& entry : entries)
		hrefs.append(entry.href);
	QList<CardDavCard> cards;
	QStringList missing;
	ASSERT_TRUE(client.Multiget(book, hrefs, cards, missing).IsOk());
	EXPECT_EQ(cards.size(), count);
	EXPECT_TRUE(missing.isEmpty());
}

// A server that dies while a request waits for its answer, and one that is
// gone before the request.
TEST_P(CardDavClientTest, ServerKilledMidRequestIsANetworkFailure)
{
	fServer.Pause();
	const pid_t pid = fServer.Pid();
	QTimer::singleShot(300, [pid] { kill(pid, SIGKILL); });
	QList<CardDavEntry> entries;
	CardDavResult result = fClient->ListEntries(fUrl, entries);
	EXPECT_EQ(result.kind, CardDavResult::kNetwork) << result.message.toStdString();
	EXPECT_TRUE(result.message.contains(fUrl.authority())) << result.message.toStdString();

	fServer.Kill();
	result = fClient->ListEntries(fUrl, entries);
	EXPECT_EQ(result.kind, CardDavResult::kNetwork);
	EXPECT_TRUE(result.message.contains(QStringLiteral("refused the connection")))
		<< result.message.toStdString();
}

TEST_P(CardDavClientTest, SilentServerTimesOut)
{
	fServer.Pause();
	fClient->SetTimeout(400);
	QList<CardDavEntry> entries;
	CardDavResult result = fClient->ListEntries(fUrl, entries);
	EXPECT_EQ(result.kind, CardDavResult::kTimeout) << result.message.toStdString();
	fServer.Resume();
}

INSTANTIATE_TEST_SUITE_P(Servers, CardDavClientTest,
						 testing::Values(CardDavServer::kRadicale, CardDavServer::kXandikos),
						 CardDavServerTest::ServerName);

using CardDavAuthenticationTest = CardDavClientTest;

TEST_P(CardDavAuthenticationTest, WrongOrMissingPasswordIsRefused)
{
	struct Row {
		const char* user;
		const char* password;
		const char* message;
	} rows[] = {
		{"alice", "wrong", "refused the password of the user \"alice\""},
		{"", "", "asks for a user name and password"},
	};
	for (const Row& row : rows) {
		CardDavClient client(row.user, row.password);
		QList<CardDavAddressBook> books;
		CardDavResult result =
			client.Discover(QUrl(QString::fromStdString(fServer.Address())), books);
		EXPECT_EQ(result.kind, CardDavResult::kAuthentication) << row.user;
		EXPECT_EQ(result.httpStatus, 401);
		EXPECT_TRUE(result.message.contains(QString::fromUtf8(row.message)))
			<< result.message.toStdString();
	}
}

INSTANTIATE_TEST_SUITE_P(Servers, CardDavAuthenticationTest,
						 testing::Values(CardDavServer::kRadicale), CardDavServerTest::ServerName);

// A peer that answers every request with the same bytes and closes.
class GarbageServer {
public:
	explicit GarbageServer(const QByteArray& answer)
	{
		fServer.listen(QHostAddress::LocalHost);
		QObject::connect(&fServer, &QTcpServer::newConnection, [this, answer] {
			QTcpSocket* socket = fServer.nextPendingConnection();
			QObject::connect(socket, &QTcpSocket::readyRead, [socket, answer] {
				socket->readAll();
				socket->write(answer);
				socket->disconnectFromHost();
			});
		});
	}

	QUrl Address() const
	{
		return QUrl(QStringLiteral("http://127.0.0.1:%1/book/").arg(fServer.serverPort()));
	}

private:
	QTcpServer fServer;
};

TEST(CardDavGarbageTest, GarbageAnswersAreReportedNotBelieved)
{
	EnsureCoreApplication();
	struct Row {
		const char* name;
		QByteArray answer;
		CardDavResult::Kind kind;
	} rows[] = {
		{"not HTTP", QByteArray(500, '\x01'), CardDavResult::kNetwork},
		{"not XML",
		 "HTTP/1.1 207 Multi-Status\r\nContent-Length: 9\r\nConnection: close\r\n\r\n<<<<>>>>&",
		 CardDavResult::kBadAnswer},
		{"not a multistatus",
		 "HTTP/1.1 207 Multi-Status\r\nContent-Length: 11\r\nConnection: close\r\n\r\n<a>text</a>",
		 CardDavResult::kBadAnswer},
		{"wrong status", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok",
		 CardDavResult::kBadAnswer},
		{"server failure",
		 "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 0\r\nConnection: close\r\n\r\n",
		 CardDavResult::kServer},
		{"redirect loop",
		 "HTTP/1.1 301 Moved\r\nLocation: /book/\r\nContent-Length: 0\r\nConnection: close\r\n\r\n",
		 CardDavResult::kServer},
	};
	for (const Row& row : rows) {
		GarbageServer server(row.answer);
		CardDavClient client{QString(), QString()};
		QList<CardDavEntry> entries;
		CardDavResult result = client.ListEntries(server.Address(), entries);
		EXPECT_EQ(result.kind, row.kind) << row.name << ": " << result.message.toStdString();
		EXPECT_FALSE(result.message.isEmpty()) << row.name;
		EXPECT_TRUE(entries.isEmpty()) << row.name;
	}
}

} // namespace
