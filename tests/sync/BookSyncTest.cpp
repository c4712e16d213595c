#include <signal.h>

#include <QTimer>

#include <gtest/gtest.h>

#include <Entry.h>

#include "ABookRecord.h"
#include "BookSync.h"
#include "CardDavServerTest.h"
#include "SyncReport.h"
#include "SyncState.h"
#include "VCardWriter.h"
#include "ZIBFiles.h"
#include "ZIBook.h"

namespace {

class BookSyncTest : public CardDavServerTest {
protected:
	// One sync as the command line runs it, expected to succeed or not: the
	// book saved afterwards, then the state of its changes written.
	SyncReport Sync(ZIBook& book, bool ok = true)
	{
		SyncState state(QString::fromStdString(PathOf("book")));
		QString error;
		EXPECT_TRUE(state.Open(&error)) << error.toStdString();
		BookSync sync(&book, &state, fClient.get(), fUrl);
		SyncReport report;
		CardDavResult result = sync.Run(report);
		EXPECT_EQ(result.IsOk(), ok) << result.message.toStdString();
		EXPECT_EQ(SaveBook(book, PathOf("book")), B_OK);
		EXPECT_TRUE(sync.Commit(&error)) << error.toStdString();
		return report;
	}

	static ABookRecord* Add(ZIBook& book, std::initializer_list<std::pair<int, const char*>> fields)
	{
		ABookRecord* record = book.makeNewRecord();
		for (const auto& [field, text] : fields)
			record->SetField(field, text);
		book.IncrementTotalRecordsInThisAB();
		return record;
	}

	static ABookRecord* Find(ZIBook& book, int field, const char* text)
	{
		ABookRecord* record = book.GetListOfRecords();
		while (record != nullptr && strcmp(record->Field(field), text) != 0)
			record = record->GetNextRecord();
		return record;
	}

	CardDavCard ServerCard(const char* text)
	{
		for (const CardDavCard& card : ServerCards()) {
			if (card.vcard.contains(text))
				return card;
		}
		return CardDavCard();
	}

	// Replaces from with to in the server's card that holds text.
	void ChangeOnServer(const char* text, const char* from, const char* to)
	{
		const CardDavCard card = ServerCard(text);
		QByteArray etag;
		CardDavResult result = fClient->Put(
			fUrl, card.href, QByteArray(card.vcard).replace(from, to), card.etag, etag);
		ASSERT_TRUE(result.IsOk()) << result.message.toStdString();
	}
};

// Every direction of every change, with a card that holds what no field
// holds, a person on both sides before the first sync, and a conflict. A
// person renamed here (nickname and name at once) is still their card; a
// person deleted and another added who shares only a city is not.
TEST_P(BookSyncTest, ChangesReachTheOtherSideAndNothingIsLost)
{
	ZIBook book(nullptr);
	Add(book, {{kNicknameField, "bob"},
			   {kFirstNameField, "Bob"},
			   {kEmail1Field, "bob@b.org"},
			   {kCityField, "Lund"}});
	Add(book, {{kNicknameField, "carol"}, {kFirstNameField, "Carol"}, {kCityField, "Oslo"}});
	// Bob is on the server already, from an earlier export.
	std::string bob;
	VCardWriter(VCardWriter::kVersion30).Append(*Find(book, kNicknameField, "bob"), bob);
	PutNew("bob", QByteArray::fromStdString(bob));
	PutNew("ann", TestCard("ann", "Ann Lee",
						   "NICKNAME:ann\r\nEMAIL:ann@a.org\r\nTEL;TYPE=CAR:+1 555 0199\r\n"
						   "PHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQSkZJRg==\r\nX-PET:Rex\r\n"));

	SyncReport first = Sync(book);
	EXPECT_EQ(first.addedHere, 1);
	EXPECT_EQ(first.addedThere, 1);
	EXPECT_TRUE(first.conflicts.empty());
	EXPECT_EQ(book.GetTotalRecordsInThisAB(), 3);
	EXPECT_EQ(ServerCards().size(), 3);
	ASSERT_NE(Find(book, kNicknameField, "ann"), nullptr);

	SyncReport idle = Sync(book);
	EXPECT_EQ(idle.Text(), SyncReport().Text());

	// Here: Ann is renamed, Bob goes, Eve comes. There: Carol's city changes.
	ABookRecord* renamed = Find(book, kNicknameField, "ann");
	renamed->SetField(kNicknameField, "annie");
	renamed->SetField(kFirstNameField, "Annie");
	renamed->SetField(kLastNameField, "Berg");
	book.deleteRecord(Find(book, kNicknameField, "bob"));
	Add(book, {{kNicknameField, "eve"}, {kFirstNameField, "Eve"}, {kCityField, "Lund"}});
	ChangeOnServer("Carol", "Oslo", "Bergen");
	SyncReport both = Sync(book);
	EXPECT_EQ(both.changedThere, 1) << both.Text();
	EXPECT_EQ(both.deletedThere, 1) << both.Text();
	EXPECT_EQ(both.addedThere, 1) << both.Text();
	EXPECT_EQ(both.changedHere, 1) << both.Text();
	EXPECT_STREQ(Find(book, kNicknameField, "carol")->Field(kCityField), "Bergen");
	const CardDavCard ann = ServerCard("annie");
	for (const char* kept : {"X-PET:Rex", "+1 555 0199", "/9j/4AAQSkZJRg=="})
		EXPECT_TRUE(ann.vcard.contains(kept)) << kept << " in " << ann.vcard.data();
	EXPECT_TRUE(ServerCard("bob@b.org").href.isEmpty());
	EXPECT_EQ(ServerCards().size(), 3);

	// Carol changes on both sides; Ann goes on the server.
	Find(book, kNicknameField, "carol")->SetField(kCityField, "Tromso");
	ChangeOnServer("Carol", "Bergen", "Narvik");
	ASSERT_TRUE(fClient->Delete(fUrl, ann.href, QByteArray()).IsOk());
	SyncReport conflict = Sync(book);
	EXPECT_EQ(conflict.deletedHere, 1) << conflict.Text();
	EXPECT_EQ(conflict.addedThere, 1) << "the local version goes up as a card of its own";
	ASSERT_EQ(conflict.conflicts.size(), 1u);
	EXPECT_NE(Find(book, kCityField, "Narvik"), nullptr);
	EXPECT_NE(Find(book, kCityField, "Tromso"), nullptr);
	EXPECT_EQ(Find(book, kNicknameField, "annie"), nullptr);
	EXPECT_EQ(book.GetTotalRecordsInThisAB(), 3);
	EXPECT_EQ(ServerCards().size(), 3);
	EXPECT_EQ(Sync(book).Text(), SyncReport().Text());
}

// A sync that finds nothing new keeps the server's ctag, and the next asks
// for nothing more while it has not moved; any change there moves it, also
// one that puts a card back as it was before the last sync.
TEST_P(BookSyncTest, AnUnmovedCtagSkipsTheListingButNoChangeIsMissed)
{
	auto storedCtag = [this] {
		SyncState state(QString::fromStdString(PathOf("book")));
		QString error;
		EXPECT_TRUE(state.Open(&error)) << error.toStdString();
		return state.Ctag();
	};
	PutNew("ann", TestCard("ann", "Ann", "NICKNAME:ann\r\nADR:;;;Oslo;;;\r\n"));
	ZIBook book(nullptr);
	EXPECT_EQ(Sync(book).addedHere, 1);
	EXPECT_TRUE(storedCtag().isEmpty()) << "the listing found a new card";
	EXPECT_EQ(Sync(book).Text(), SyncReport().Text());
	const QString ctag = storedCtag();
	EXPECT_FALSE(ctag.isEmpty());
	EXPECT_EQ(Sync(book).Text(), SyncReport().Text());
	EXPECT_EQ(storedCtag(), ctag);

	for (const auto& [from, to] : {std::pair{"Oslo", "Bergen"}, std::pair{"Bergen", "Oslo"}}) {
		ChangeOnServer("NICKNAME:ann", from, to);
		EXPECT_EQ(Sync(book).changedHere, 1) << to;
		EXPECT_STREQ(Find(book, kNicknameField, "ann")->Field(kCityField), to);
	}
	EXPECT_EQ(Sync(book).Text(), SyncReport().Text());

	// A change here goes up while the ctag has not moved.
	Find(book, kNicknameField, "ann")->SetField(kCityField, "Narvik");
	EXPECT_EQ(Sync(book).changedThere, 1);
	EXPECT_FALSE(ServerCard("Narvik").href.isEmpty());
	EXPECT_TRUE(storedCtag().isEmpty()) << "written to the server";
}

// The server dies (Radicale) or falls silent until the client gives up
// (Xandikos, whose git storage a kill in mid-commit leaves broken) at
// different moments of a first sync of many records; each following sync
// carries on, and in the end both sides hold each person once.
TEST_P(BookSyncTest, InterruptedSyncResumesWithoutDuplicates)
{
	const int count = 40;
	ZIBook book(nullptr);
	for (int i = 0; i < count; i++) {
		const std::string nickname = "p" + std::to_string(i);
		Add(book, {{kNicknameField, nickname.c_str()}, {kLastNameField, "Person"}});
	}
	ASSERT_EQ(SaveBook(book, PathOf("book")), B_OK);
	const bool kill = GetParam() == CardDavServer::kRadicale;
	// The server goes once the state file holds a few more finished items
	// than before, so the cut falls inside the sync however fast it runs.
	const QString statePath = SyncState::PathFor(QString::fromStdString(PathOf("book")));
	auto finishedItems = [&statePath] {
		return QByteArray::fromStdString(ReadFile(statePath.toStdString())).count('\n');
	};
	for (int more : {3, 12}) {
		const pid_t pid = fServer.Pid();
		const qsizetype cut = finishedItems() + more;
		QTimer watch;
		QObject::connect(&watch, &QTimer::timeout, [&] {
			if (finishedItems() >= cut) {
				::kill(pid, kill ? SIGKILL : SIGSTOP);
				watch.stop();
			}
		});
		watch.start(1);
		fClient->SetTimeout(1000);
		Sync(book, false);
		watch.stop();
		fClient->SetTimeout(CardDavClient::kDefaultTimeout);
		if (kill) {
			fServer.Kill();
			StartServer();
		} else {
			fServer.Resume();
		}
	}
	SyncReport last = Sync(book);
	EXPECT_TRUE(last.conflicts.empty());
	EXPECT_EQ(book.GetTotalRecordsInThisAB(), count);
	EXPECT_EQ(ServerCards().size(), count);
	SyncReport idle = Sync(book);
	EXPECT_EQ(idle.Text(), SyncReport().Text());
}

INSTANTIATE_TEST_SUITE_P(Servers, BookSyncTest,
						 testing::Values(CardDavServer::kRadicale, CardDavServer::kXandikos),
						 CardDavServerTest::ServerName);

} // namespace
