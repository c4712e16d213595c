#include <gtest/gtest.h>

#include <QFile>

#include <Entry.h>

#include "ABookRecord.h"
#include "BookTestSupport.h"
#include "SyncState.h"
#include "SyncTestSupport.h"
#include "TestDirectory.h"
#include "ZIBFiles.h"
#include "ZIBook.h"

namespace {

using SyncStateTest = TestDirectory;

// Every finished item is on the disk at once: a sync that stops without
// finishing (its state never compacted) is found whole by the next one, also
// after the book was saved (a new file renamed over it) and after a write
// torn by a crash. A file without a ctag line (as written before there was
// one) loads; a ctag lasts until an item changes after it.
TEST_F(SyncStateTest, ItemsSurviveAnUnfinishedSyncASaveAndATornWrite)
{
	auto save = [this] {
		ZIBook book(nullptr);
		AddRecords(book, {{"ann"}});
		ASSERT_EQ(SaveBook(book, PathOf("book")), B_OK);
	};
	save();
	const QString book = QString::fromStdString(PathOf("book"));
	const QString path = SyncState::PathFor(book);
	QString error;
	{
		SyncState state(book);
		ASSERT_TRUE(state.Open(&error)) << error.toStdString();
		ASSERT_TRUE(state.SetAccount("http://h/b/", "ann ", &error));
		for (const char* href : {"/b/1.vcf", "/b/two words.vcf", "/b/3.vcf"})
			ASSERT_TRUE(state.Record({href, "\"e 1\"", "uid\t1", "hash"}, &error));
		ASSERT_TRUE(state.Forget("/b/3.vcf", &error));
		ASSERT_TRUE(state.SetToken("token", &error));
	}
	save();
	EXPECT_EQ(SyncState::PathFor(book), path);
	{
		QFile file(path);
		ASSERT_TRUE(file.open(QIODevice::Append));
		file.write("item /b/torn.vcf \"e");
	}

	{
		SyncState state(book);
		ASSERT_TRUE(state.Open(&error)) << error.toStdString();
		EXPECT_EQ(state.Url(), QStringLiteral("http://h/b/"));
		EXPECT_EQ(state.User(), QStringLiteral("ann "));
		EXPECT_EQ(state.Token(), QStringLiteral("token"));
		EXPECT_TRUE(state.Ctag().isEmpty());
		ASSERT_EQ(state.Items().size(), 2);
		const SyncState::Item item = state.Items().value("/b/two words.vcf");
		EXPECT_EQ(item.etag, "\"e 1\"");
		EXPECT_EQ(item.uid, QStringLiteral("uid\t1"));
		EXPECT_EQ(item.fieldsHash, "hash");
		ASSERT_TRUE(state.SetCtag("c 0", &error));
		ASSERT_TRUE(state.Record({"/b/4.vcf", "e4", "4", "h4"}, &error));
		EXPECT_TRUE(state.Ctag().isEmpty());
		ASSERT_TRUE(state.SetCtag("c 1", &error));
	}
	SyncState state(book);
	ASSERT_TRUE(state.Open(&error));
	EXPECT_EQ(state.Ctag(), QStringLiteral("c 1"));
	EXPECT_EQ(state.Items().size(), 3);
	EXPECT_TRUE(state.Items().contains("/b/4.vcf"));
	EXPECT_FALSE(state.Items().contains("/b/torn.vcf"));

	// Items of another address book would read as cards deleted there.
	ASSERT_TRUE(state.SetAccount("http://h/other/", "ann ", &error));
	EXPECT_TRUE(state.Items().isEmpty());
	EXPECT_TRUE(state.Token().isEmpty());
	EXPECT_TRUE(state.Ctag().isEmpty());
}

TEST_F(SyncStateTest, OneSyncOfABookAtATime)
{
	const QString book = QString::fromStdString(PathOf("book"));
	SyncState first(book);
	QString error;
	ASSERT_TRUE(first.Open(&error));
	SyncState second(book);
	EXPECT_FALSE(second.Open(&error));
	EXPECT_TRUE(error.contains("Another synchronization")) << error.toStdString();
}

// Any change of any field changes the hash, also text moved between fields.
TEST(SyncStateHashTest, AnyFieldChangeChangesTheHash)
{
	ABookRecord base;
	base.SetField(kFirstNameField, "ab");
	base.SetField(kMiddleNameField, "c");
	const QByteArray original = SyncState::HashOfFields(base);
	ABookRecord moved;
	moved.SetField(kFirstNameField, "a");
	moved.SetField(kMiddleNameField, "bc");
	EXPECT_NE(SyncState::HashOfFields(moved), original);
	for (int field = 0; field < kFieldCount; field++) {
		ABookRecord changed;
		changed.SetField(kFirstNameField, "ab");
		changed.SetField(kMiddleNameField, "c");
		changed.SetField(field, "x");
		EXPECT_NE(SyncState::HashOfFields(changed), original) << field;
	}
}

} // namespace
