// The CardDAV client against a local Radicale whose address book holds 1,000
// or 10,000 cards (written into its storage before it starts; its cache is
// warmed, untimed, by one listing).

#include <stdlib.h>

#include <filesystem>
#include <map>
#include <memory>

#include <QFile>

#include <benchmark/benchmark.h>

#include "BookSync.h"
#include "CardDavClient.h"
#include "CardDavServer.h"
#include "SyncReport.h"
#include "SyncState.h"
#include "SyncTestSupport.h"
#include "ZIBook.h"

namespace {

struct Fixture {
	std::filesystem::path directory;
	CardDavServer server;
	QUrl book;
	std::unique_ptr<CardDavClient> client;

	~Fixture()
	{
		client.reset();
		server.Stop();
		std::filesystem::remove_all(directory);
	}
};

Fixture&
FixtureOf(int count)
{
	static std::map<int, std::unique_ptr<Fixture>> fixtures;
	std::unique_ptr<Fixture>& fixture = fixtures[count];
	if (fixture)
		return *fixture;
	EnsureCoreApplication();
	fixture = std::make_unique<Fixture>();
	std::string pattern = std::filesystem::temp_directory_path().string() + "/zibsyncbench.XXXXXX";
	if (mkdtemp(pattern.data()) == nullptr)
		abort();
	fixture->directory = pattern;
	std::vector<std::pair<std::string, std::string>> cards;
	for (int i = 0; i < count; i++) {
		const QString uid = QStringLiteral("card%1").arg(i);
		cards.emplace_back(
			uid.toStdString() + ".vcf",
			TestCard(uid, uid, "EMAIL:" + uid.toUtf8() + "@example.org\r\n").toStdString());
	}
	std::string error;
	if (!fixture->server.Start(CardDavServer::kRadicale, fixture->directory, &error, cards)) {
		fprintf(stderr, "%s\n", error.c_str());
		abort();
	}
	fixture->book = QUrl(QString::fromStdString(fixture->server.BookAddress()));
	fixture->client =
		std::make_unique<CardDavClient>(QString::fromStdString(fixture->server.User()),
										QString::fromStdString(fixture->server.Password()));
	fixture->client->SetTimeout(600000);
	QList<CardDavEntry> entries;
	if (!fixture->client->ListEntries(fixture->book, entries).IsOk())
		abort();
	return *fixture;
}

// What a sync that finds nothing to do asks: the changes since its token.
void
BM_ListChangesNothingNew(benchmark::State& state)
{
	Fixture& fixture = FixtureOf(static_cast<int>(state.range(0)));
	CardDavChanges all;
	if (!fixture.client->ListChanges(fixture.book, QString(), all).IsOk())
		abort();
	for (auto _ : state) {
		CardDavChanges changes;
		if (!fixture.client->ListChanges(fixture.book, all.syncToken, changes).IsOk())
			state.SkipWithError("sync-collection failed");
		benchmark::DoNotOptimize(changes);
	}
}
BENCHMARK(BM_ListChangesNothingNew)
	->Arg(1000)
	->Arg(10000)
	->Unit(benchmark::kMillisecond)
	->UseRealTime();

// The first question of every sync: the collection's ctag, which has not
// moved.
void
BM_DescribeNothingNew(benchmark::State& state)
{
	Fixture& fixture = FixtureOf(static_cast<int>(state.range(0)));
	for (auto _ : state) {
		CardDavAddressBook book;
		if (!fixture.client->Describe(fixture.book, book).IsOk() || book.ctag.isEmpty())
			state.SkipWithError("PROPFIND failed");
	}
}
BENCHMARK(BM_DescribeNothingNew)
	->Arg(1000)
	->Arg(10000)
	->Unit(benchmark::kMillisecond)
	->UseRealTime();

// The question asked instead when a server keeps no ctag: its sync-token.
void
BM_SyncTokenNothingNew(benchmark::State& state)
{
	Fixture& fixture = FixtureOf(static_cast<int>(state.range(0)));
	for (auto _ : state) {
		QString token;
		if (!fixture.client->SyncToken(fixture.book, token).IsOk() || token.isEmpty())
			state.SkipWithError("PROPFIND failed");
	}
}
BENCHMARK(BM_SyncTokenNothingNew)
	->Arg(1000)
	->Arg(10000)
	->Unit(benchmark::kMillisecond)
	->UseRealTime();

// What a first sync into an empty book fetches: every card, listed and
// then read in multiget batches.
void
BM_FetchEveryCard(benchmark::State& state)
{
	Fixture& fixture = FixtureOf(static_cast<int>(state.range(0)));
	for (auto _ : state) {
		CardDavChanges all;
		if (!fixture.client->ListChanges(fixture.book, QString(), all).IsOk())
			state.SkipWithError("sync-collection failed");
		QStringList hrefs;
		for (const CardDavEntry& entry : all.changed)
			hrefs.append(entry.href);
		QList<CardDavCard> cards;
		QStringList missing;
		if (!fixture.client->Multiget(fixture.book, hrefs, cards, missing).IsOk() ||
			cards.size() != state.range(0))
			state.SkipWithError("multiget failed");
	}
}
BENCHMARK(BM_FetchEveryCard)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// One sync of a book into the address book, as the command line runs it:
// the state opened (read from its file), the sync, the book saved when it
// changed, the state committed.
bool
SyncOnce(Fixture& fixture, ZIBook& book, const QString& path, SyncReport& report)
{
	SyncState syncState(path);
	QString error;
	if (!syncState.Open(&error))
		return false;
	BookSync sync(&book, &syncState, fixture.client.get(), fixture.book);
	return sync.Run(report).IsOk() && sync.Commit(&error);
}

// A whole first sync into an empty book: every card listed, fetched, mapped
// to a record and its state kept. The state lives in a data folder of the
// benchmark's own.
void
BM_FirstSyncIntoEmptyBook(benchmark::State& state)
{
	Fixture& fixture = FixtureOf(static_cast<int>(state.range(0)));
	setenv("XDG_DATA_HOME", (fixture.directory / "data").c_str(), 1);
	const QString path = QString::fromStdString((fixture.directory / "first").string());
	for (auto _ : state) {
		state.PauseTiming();
		QFile::remove(SyncState::PathFor(path));
		ZIBook book(nullptr);
		state.ResumeTiming();
		SyncReport report;
		if (!SyncOnce(fixture, book, path, report) || report.addedHere != state.range(0))
			state.SkipWithError("sync failed");
	}
}
BENCHMARK(BM_FirstSyncIntoEmptyBook)
	->Arg(1000)
	->Arg(10000)
	->Unit(benchmark::kMillisecond)
	->UseRealTime();

// A sync with nothing to do, after a first sync and one that found nothing
// new (untimed): the state of every card read, the ctag asked, every
// record's hash compared with the state.
void
BM_NothingToDo(benchmark::State& state)
{
	Fixture& fixture = FixtureOf(static_cast<int>(state.range(0)));
	setenv("XDG_DATA_HOME", (fixture.directory / "data").c_str(), 1);
	const QString path = QString::fromStdString((fixture.directory / "idle").string());
	QFile::remove(SyncState::PathFor(path));
	ZIBook book(nullptr);
	for (int round = 0; round < 2; round++) {
		SyncReport report;
		if (!SyncOnce(fixture, book, path, report))
			abort();
	}
	for (auto _ : state) {
		SyncReport report;
		if (!SyncOnce(fixture, book, path, report) || !report.Clean() || report.addedHere != 0)
			state.SkipWithError("sync failed");
	}
}
BENCHMARK(BM_NothingToDo)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
