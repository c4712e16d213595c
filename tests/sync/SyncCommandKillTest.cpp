// zib-book sync killed with SIGKILL at several points of a sync that moves
// records up and cards down, then run again to the end: both sides hold each
// person once, nothing is deleted, and the state says what both hold.

#include <sys/stat.h>

#include <functional>
#include <set>

#include <QHash>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <Entry.h>

#include "ABookRecord.h"
#include "BookTestSupport.h"
#include "CardDavServerTest.h"
#include "SyncState.h"
#include "ZIBFiles.h"
#include "ZIBook.h"
#include "ZibBookRun.h"

namespace {

const int kPeople = 150;

class SyncCommandKillTest : public CardDavServerTest {
protected:
	void SetUp() override
	{
		CardDavServerTest::SetUp();
		fBook = PathOf("book");
	}

	// Runs zib-book sync, killed as soon as killNow answers true; the exit
	// status, or -1 when it was killed.
	int Sync(const std::function<bool()>& killNow = nullptr)
	{
		ZibBookRun run =
			RunZibBook({"sync", "--user", QString::fromStdString(fServer.User()),
						QString::fromStdString("--password-command=echo " + fServer.Password()),
						QString::fromStdString(fBook), QString::fromStdString(fServer.Address())},
					   QByteArray(), killNow);
		fErrors = run.err;
		return run.status;
	}

	std::string fBook;
	std::string fErrors;
};

TEST_P(SyncCommandKillTest, KilledAnywhereResumesWithoutDuplicatesOrDeletions)
{
	std::multiset<std::string> everyone;
	ZIBook mine(nullptr);
	for (int i = 0; i < kPeople; i++) {
		for (const char* side : {"here", "there"})
			everyone.insert(side + std::to_string(i));
		const QString nickname = QStringLiteral("there%1").arg(i);
		AddRecords(mine, {{"here" + std::to_string(i), "", "", "Here"}});
		PutNew(nickname, TestCard(nickname, "There", "NICKNAME:" + nickname.toUtf8() + "\r\n"));
	}
	ASSERT_EQ(SaveBook(mine, fBook), B_OK);

	const std::string statePath = SyncState::PathFor(QString::fromStdString(fBook)).toStdString();
	// Before any item; after the first and after many records went up; and
	// as soon as the book is saved, before or while its state is written.
	EXPECT_EQ(Sync([&] { return access(statePath.c_str(), F_OK) == 0; }), -1);
	auto itemLines = [&statePath] {
		return QByteArray::fromStdString(ReadFile(statePath)).count("\nitem ");
	};
	auto bookInode = [this] {
		struct stat info;
		return stat(fBook.c_str(), &info) == 0 ? info.st_ino : 0;
	};
	for (qsizetype more : {1, 60}) {
		const qsizetype cut = itemLines() + more;
		EXPECT_EQ(Sync([&] { return itemLines() >= cut; }), -1) << more;
	}
	const ino_t before = bookInode();
	Sync([&] { return bookInode() != before; });

	ASSERT_EQ(Sync(), 0) << fErrors;
	ASSERT_EQ(Sync(), 0) << fErrors;
	EXPECT_NE(fErrors.find("In this book: 0 added, 0 changed, 0 deleted"), std::string::npos)
		<< fErrors;
	EXPECT_NE(fErrors.find("On the server: 0 added, 0 changed, 0 deleted"), std::string::npos)
		<< fErrors;

	ZIBook book(nullptr);
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(fBook.c_str(), &ref), B_OK);
	ASSERT_EQ(ZIBFiles::ReadBook(&ref, &book), B_OK);
	const std::vector<std::string> nicknames = Column(book, kNicknameField);
	EXPECT_EQ(std::multiset<std::string>(nicknames.begin(), nicknames.end()), everyone);
	std::set<QByteArray> hashes;
	for (ABookRecord* record = book.GetListOfRecords(); record != nullptr;
		 record = record->GetNextRecord())
		hashes.insert(SyncState::HashOfFields(*record));

	QHash<QString, QByteArray> etags;
	std::multiset<std::string> there;
	const QRegularExpression nickname(QStringLiteral("NICKNAME:([^\\r\\n]*)"));
	for (const CardDavCard& card : ServerCards()) {
		etags.insert(card.href, card.etag);
		there.insert(nickname.match(QString::fromUtf8(card.vcard)).captured(1).toStdString());
	}
	EXPECT_EQ(there, everyone);

	SyncState state(QString::fromStdString(fBook));
	QString error;
	ASSERT_TRUE(state.Open(&error)) << error.toStdString();
	EXPECT_EQ(state.Items().size(), qsizetype(everyone.size()));
	std::set<QByteArray> stateHashes;
	for (const SyncState::Item& item : state.Items()) {
		EXPECT_EQ(item.etag, etags.value(item.href)) << item.href.toStdString();
		stateHashes.insert(item.fieldsHash);
	}
	EXPECT_EQ(stateHashes, hashes);
}

INSTANTIATE_TEST_SUITE_P(Servers, SyncCommandKillTest,
						 testing::Values(CardDavServer::kRadicale, CardDavServer::kXandikos),
						 CardDavServerTest::ServerName);

} // namespace
