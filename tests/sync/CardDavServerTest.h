#ifndef CARD_DAV_SERVER_TEST_H
#define CARD_DAV_SERVER_TEST_H

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "CardDavClient.h"
#include "CardDavServer.h"
#include "SyncTestSupport.h"
#include "TestDirectory.h"

// A test against a real server of the kind of its parameter, with a client
// that has the server's credentials.
class CardDavServerTest : public TestDirectory,
						  public testing::WithParamInterface<CardDavServer::Kind> {
public:
	// Names the instances of a suite after their server.
	static std::string ServerName(const testing::TestParamInfo<CardDavServer::Kind>& info)
	{
		return CardDavServer::Name(info.param);
	}

protected:
	void SetUp() override
	{
		TestDirectory::SetUp();
		EnsureCoreApplication();
		StartServer();
	}

	void TearDown() override
	{
		fClient.reset();
		fServer.Stop();
		TestDirectory::TearDown();
	}

	// Starts the server, also again after a test killed it.
	void StartServer()
	{
		std::string error;
		ASSERT_TRUE(fServer.Start(GetParam(), fPath / "server", &error)) << error;
		fUrl = QUrl(QString::fromStdString(fServer.BookAddress()));
		fClient = std::make_unique<CardDavClient>(QString::fromStdString(fServer.User()),
												  QString::fromStdString(fServer.Password()));
	}

	// Creates a card on the server.
	void PutNew(const QString& uid, const QByteArray& vcard)
	{
		QByteArray etag;
		CardDavResult result =
			fClient->Put(fUrl, CardDavClient::NewHref(fUrl, uid), vcard, QByteArray(), etag);
		ASSERT_TRUE(result.IsOk()) << result.message.toStdString();
	}

	// Every card of the address book.
	QList<CardDavCard> ServerCards()
	{
		QList<CardDavEntry> entries;
		EXPECT_TRUE(fClient->ListEntries(fUrl, entries).IsOk());
		QStringList hrefs;
		for (const CardDavEntry& entry : entries)
			hrefs.append(entry.href);
		QList<CardDavCard> cards;
		QStringList missing;
		EXPECT_TRUE(fClient->Multiget(fUrl, hrefs, cards, missing).IsOk());
		return cards;
	}

	CardDavServer fServer;
	QUrl fUrl;
	std::unique_ptr<CardDavClient> fClient;
};

#endif // CARD_DAV_SERVER_TEST_H
