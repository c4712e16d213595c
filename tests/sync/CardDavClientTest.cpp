#include <QTcpServer>
#include <QTcpSocket>

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

INSTANTIATE_TEST_SUITE_P(Servers, CardDavClientTest,
						 testing::Values(CardDavServer::kRadicale, CardDavServer::kXandikos),
						 CardDavServerTest::ServerName);

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
