#include <signal.h>

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <gtest/gtest.h>

#include "CardDavServerTest.h"

namespace {

using CardDavClientTest = CardDavServerTest;

// Conditional writes: a create never replaces, a stale ETag never wins, and
// cards keep the properties we send, whatever they are. A sync token the
// server does not know is told apart, so the sync can list everything again.
TEST_P(CardDavClientTest, ConditionalPutAndDeleteKeepEveryoneElsesChanges)
{
	const QString href = CardDavClient::NewHref(fUrl, QStringLiteral("ann@home"));
	const QByteArray photo = "PHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQSkZJRg==\r\n"
							 "TEL;TYPE=CAR:+1 555 0199\r\nX-PET:Rex\r\n";
	QByteArray first, etag;
	ASSERT_TRUE(fClient->Put(fUrl, href, TestCard("ann@home", "ann", photo), {}, first).IsOk());
	EXPECT_EQ(fClient->Put(fUrl, href, TestCard("ann@home", "Twin"), QByteArray(), etag).kind,
			  CardDavResult::kPreconditionFailed);
	EXPECT_EQ(fClient->Put(fUrl, href, TestCard("ann@home", "Stale"), "\"stale\"", etag).kind,
			  CardDavResult::kPreconditionFailed);

	const QByteArray current = first.isEmpty() ? ServerCards().value(0).etag : first;
	ASSERT_TRUE(fClient->Put(fUrl, href, TestCard("ann@home", "Ann", photo), current, etag).IsOk());
	QList<CardDavCard> cards;
	QStringList missing;
	const QString gone = CardDavClient::NewHref(fUrl, QStringLiteral("nobody"));
	ASSERT_TRUE(fClient->Multiget(fUrl, {href, gone}, cards, missing).IsOk());
	ASSERT_EQ(cards.size(), 1);
	EXPECT_EQ(cards[0].href, href);
	const QByteArray second = cards[0].etag;
	EXPECT_TRUE(etag.isEmpty() || etag == second);
	for (const char* text : {"FN:Ann", "X-PET:Rex", "TEL;TYPE=CAR:+1 555 0199", "/9j/4AAQSkZJRg=="})
		EXPECT_TRUE(cards[0].vcard.contains(text)) << text << " in " << cards[0].vcard.data();
	EXPECT_EQ(missing, QStringList{gone});

	EXPECT_EQ(fClient->Delete(fUrl, href, current).kind, CardDavResult::kPreconditionFailed);
	EXPECT_TRUE(fClient->Delete(fUrl, href, second).IsOk());
	EXPECT_TRUE(fClient->Delete(fUrl, href, second).IsOk()) << "already gone";
	EXPECT_TRUE(ServerCards().isEmpty());

	QString token;
	ASSERT_TRUE(fClient->SyncToken(fUrl, token).IsOk());
	EXPECT_FALSE(token.isEmpty());
	CardDavChanges changes;
	ASSERT_TRUE(fClient->ListChanges(fUrl, QString(), changes).IsOk());
	CardDavResult result = fClient->ListChanges(fUrl, changes.syncToken + "x", changes);
	EXPECT_EQ(result.kind, CardDavResult::kSyncTokenInvalid) << result.message.toStdString();
}

// A server that falls silent times out; one that dies while a request waits
// for its answer, and one that is gone before the request, are network
// failures that name the server.
TEST_P(CardDavClientTest, SilentOrKilledServerIsAFailure)
{
	QList<CardDavEntry> entries;
	fServer.Pause();
	fClient->SetTimeout(400);
	EXPECT_EQ(fClient->ListEntries(fUrl, entries).kind, CardDavResult::kTimeout);
	fClient->SetTimeout(CardDavClient::kDefaultTimeout);
	const pid_t pid = fServer.Pid();
	QTimer::singleShot(300, [pid] { kill(pid, SIGKILL); });
	CardDavResult result = fClient->ListEntries(fUrl, entries);
	EXPECT_EQ(result.kind, CardDavResult::kNetwork) << result.message.toStdString();
	EXPECT_TRUE(result.message.contains(fUrl.authority())) << result.message.toStdString();

	fServer.Kill();
	result = fClient->ListEntries(fUrl, entries);
	EXPECT_EQ(result.kind, CardDavResult::kNetwork);
	EXPECT_TRUE(result.message.contains(QStringLiteral("refused the connection")))
		<< result.message.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Servers, CardDavClientTest,
						 testing::Values(CardDavServer::kRadicale, CardDavServer::kXandikos),
						 CardDavServerTest::ServerName);

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
	QStringList hrefs;
	for (const CardDavEntry& entry : entries)
		hrefs.append(entry.href);
	QList<CardDavCard> cards;
	QStringList missing;
	ASSERT_TRUE(client.Multiget(book, hrefs, cards, missing).IsOk());
	EXPECT_EQ(cards.size(), count);
	EXPECT_TRUE(missing.isEmpty());
}

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
		{"wrong status", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok",
		 CardDavResult::kBadAnswer},
		{"server failure",
		 "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 0\r\nConnection: close\r\n\r\n",
		 CardDavResult::kServer},
		{"redirect loop",
		 "HTTP/1.1 301 Moved\r\nLocation: /book/\r\nContent-Length: 0\r\nConnection: close\r\n\r\n",
		 CardDavResult::kServer},
		{"missing credentials",
		 "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"b\"\r\n"
		 "Content-Length: 0\r\nConnection: close\r\n\r\n",
		 CardDavResult::kAuthentication},
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
