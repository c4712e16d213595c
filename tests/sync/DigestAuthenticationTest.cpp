#include <algorithm>
#include <tuple>

#include <gtest/gtest.h>

#include "CardDavServerTest.h"
#include "DigestProxy.h"
#include "SyncState.h"
#include "ZibBookRun.h"

namespace {

const char kUser[] = "alice";
const char kPassword[] = "wonderland";

// zib-book syncs through a web server that takes nothing but Digest
// credentials (a sync succeeds only by answering its challenge), in front of
// Xandikos (asked directly by fClient).
class DigestAuthenticationTest : public CardDavServerTest {
protected:
	void SetUp() override
	{
		CardDavServerTest::SetUp();
		StartProxy("MD5");
		fBook = QString::fromStdString(PathOf("book"));
	}

	// Puts a proxy that offers algorithm in front of the server, in place of
	// the one before.
	void StartProxy(const char* algorithm)
	{
		fProxy.Stop();
		const QUrl direct(QString::fromStdString(fServer.Address()));
		std::string error;
		ASSERT_TRUE(
			fProxy.Start(direct, fPath / "proxy" / algorithm, kUser, kPassword, algorithm, &error))
			<< error;
		fAddress = fProxy.Through(direct).toString();
	}

	ZibBookRun Sync(const char* password)
	{
		return RunZibBook({"sync", "--user", kUser,
						   QStringLiteral("--password-command=echo %1").arg(password), fBook,
						   fAddress});
	}

	// The lines of the sync state in any order, the book, and each card on
	// the server, asked of it directly: href and ETag.
	QList<QByteArray> Everything()
	{
		QList<QByteArray> lines =
			QByteArray::fromStdString(ReadFile(SyncState::PathFor(fBook).toStdString()))
				.split('\n');
		std::sort(lines.begin(), lines.end());
		lines << QByteArray::fromStdString(ReadFile(fBook.toStdString()));
		QList<CardDavEntry> entries;
		EXPECT_TRUE(fClient->ListEntries(fUrl, entries).IsOk());
		std::sort(entries.begin(), entries.end(),
				  [](const auto& a, const auto& b) { return a.href < b.href; });
		for (const CardDavEntry& entry : entries)
			lines << entry.href.toUtf8() + ' ' + entry.etag;
		return lines;
	}

	DigestProxy fProxy;
	QString fAddress;
	QString fBook;
};

TEST_P(DigestAuthenticationTest, SyncAnswersDigestAndNamesWhatItCannotAnswer)
{
	ASSERT_EQ(RunZibBook({"import", fBook, "-"}, TestCard("ann", "Ann Lee")).status, 0);
	ZibBookRun up = Sync(kPassword);
	EXPECT_EQ(up.status, 0) << up.err;
	EXPECT_EQ(ServerCards().size(), 1);

	// A refused password stops the sync before anything moves.
	PutNew("cid", TestCard("cid", "Cid Moss"));
	const QList<QByteArray> before = Everything();
	ZibBookRun refused = Sync("wrong");
	EXPECT_EQ(refused.status, 3);
	EXPECT_NE(refused.err.find("refused the password of the user \"alice\""), std::string::npos)
		<< refused.err;
	EXPECT_EQ(Everything(), before);
	EXPECT_EQ(ServerCards().size(), 2);

	// Qt answers Digest with MD5 only: it does so when SHA-256 is offered
	// too, and a server that offers nothing else is told apart from a refused
	// password, which asking again would not mend.
	for (const auto& [algorithm, status, message] :
		 {std::tuple{"MD5|SHA-256", 0, "On the server: 0 added"},
		  std::tuple{"SHA-256", 3,
					 "asks for Digest (SHA-256) authentication, which this program cannot "
					 "answer."}}) {
		StartProxy(algorithm);
		ZibBookRun run = Sync(kPassword);
		EXPECT_EQ(run.status, status) << algorithm << run.err;
		EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
	}
}

INSTANTIATE_TEST_SUITE_P(Xandikos, DigestAuthenticationTest,
						 testing::Values(CardDavServer::kXandikos), CardDavServerTest::ServerName);

} // namespace
