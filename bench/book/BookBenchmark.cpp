// Open, save, sort and search books of 1,000 to 1,000,000 made-up records,
// the memory a record takes, and GNU sort on the same file for comparison.

#include <malloc.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include <Entry.h>

#include "BookConstants.h"
#include "BookGenerator.h"
#include "LanguageCollator.h"
#include "ZIBFiles.h"
#include "ZIBSearch.h"
#include "ZIBSort.h"
#include "ZIBook.h"

namespace {

const ZIBFrame kFrame = {100, 100, 740, 580};

// A directory on the disk (not a memory file system, so that syncing costs
// what it costs), removed at exit.
struct ScratchDirectory {
	ScratchDirectory()
	{
		const char* base = getenv("TMPDIR");
		path = std::string(base != nullptr ? base : "/tmp") + "/zibbench.XXXXXX";
		if (mkdtemp(path.data()) == nullptr)
			abort();
	}
	~ScratchDirectory() { std::filesystem::remove_all(path); }
	std::string path;
};

std::string
FilePath(const std::string& name)
{
	static ScratchDirectory scratch;
	return scratch.path + "/" + name;
}

entry_ref
RefOf(const std::string& path)
{
	entry_ref ref;
	if (get_ref_for_path(path.c_str(), &ref) != B_OK)
		abort();
	return ref;
}

// One generated book per size, kept for the whole run.
ZIBook*
SharedBook(long count)
{
	static std::map<long, std::unique_ptr<ZIBook>> books;
	std::unique_ptr<ZIBook>& book = books[count];
	if (!book) {
		book = std::make_unique<ZIBook>(nullptr);
		GenerateBook(book.get(), count);
	}
	return book.get();
}

// The shared book saved once to a file of its own.
std::string
SharedFile(long count)
{
	std::string path = FilePath("book" + std::to_string(count));
	if (!std::filesystem::exists(path)) {
		entry_ref ref = RefOf(path);
		if (ZIBFiles::WriteBook(SharedBook(count), &ref, kFrame) != B_OK)
			abort();
	}
	return path;
}

void
BM_Open(benchmark::State& state)
{
	entry_ref ref = RefOf(SharedFile(state.range(0)));
	for (auto _ : state) {
		auto book = std::make_unique<ZIBook>(nullptr);
		ZIBFiles::ReadBook(&ref, book.get());
		state.PauseTiming();
		book.reset();
		state.ResumeTiming();
	}
	state.SetItemsProcessed(state.iterations() * state.range(0));
}

void
BM_Save(benchmark::State& state)
{
	ZIBook* book = SharedBook(state.range(0));
	entry_ref ref = RefOf(FilePath("saved"));
	for (auto _ : state) {
		if (ZIBFiles::WriteBook(book, &ref, kFrame) != B_OK)
			state.SkipWithError("save failed");
	}
	state.SetItemsProcessed(state.iterations() * state.range(0));
}

void
BM_SortByLastName(benchmark::State& state)
{
	ZIBook* book = SharedBook(state.range(0));
	std::vector<ABookRecord*> generated = BuildListIndex(book);
	for (auto _ : state) {
		state.PauseTiming();
		BuildLinkedList(book, generated);
		state.ResumeTiming();
		SortBook(book, kLastNameField);
	}
	BuildLinkedList(book, generated);
	state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The same under the German collation: a sort key per record, then the sort.
void
BM_SortByLastNameLanguageRules(benchmark::State& state)
{
	ZIBook* book = SharedBook(state.range(0));
	std::vector<ABookRecord*> generated = BuildListIndex(book);
	LanguageCollator collator("de_DE");
	for (auto _ : state) {
		state.PauseTiming();
		BuildLinkedList(book, generated);
		state.ResumeTiming();
		SortBook(book, kLastNameField, &collator);
	}
	BuildLinkedList(book, generated);
	state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Argument 1: case ignored in every script rather than in ASCII letters only.
void
BM_FindNothing(benchmark::State& state)
{
	ZIBook* book = SharedBook(state.range(0));
	LetterCase rule = state.range(1) != 0 ? LetterCase::kEveryScript : LetterCase::kAsciiOnly;
	ZIBSearch search;
	for (auto _ : state)
		benchmark::DoNotOptimize(search.TheSearch(book, "Quixotic", rule));
	state.SetItemsProcessed(state.iterations() * state.range(0));
}

// GNU sort of the same file by the same column, ignoring case.
void
BM_GnuSort(benchmark::State& state)
{
	std::string command =
		"LC_ALL=C sort -t'\t' -f -k4,4 '" + SharedFile(state.range(0)) + "' > /dev/null";
	for (auto _ : state) {
		if (std::system(command.c_str()) != 0)
			state.SkipWithError("sort failed");
	}
	state.SetItemsProcessed(state.iterations() * state.range(0));
}

size_t
AllocatedBytes()
{
	struct mallinfo2 info = mallinfo2();
	return info.uordblks + info.hblkhd;
}

// The heap a book takes per record, opened from the file at path.
void
MeasureMemoryPerRecord(benchmark::State& state, const std::string& path)
{
	entry_ref ref = RefOf(path);
	for (auto _ : state) {
		size_t before = AllocatedBytes();
		auto book = std::make_unique<ZIBook>(nullptr);
		ZIBFiles::ReadBook(&ref, book.get());
		state.counters["bytes_per_record"] =
			static_cast<double>(AllocatedBytes() - before) / state.range(0);
	}
}

void
BM_MemoryPerRecord(benchmark::State& state)
{
	MeasureMemoryPerRecord(state, SharedFile(state.range(0)));
}

// The same for a book of empty records: a file of empty lines.
void
BM_MemoryPerEmptyRecord(benchmark::State& state)
{
	std::string path = FilePath("empty-lines");
	if (FILE* file = fopen(path.c_str(), "w")) {
		for (int64_t i = 0; i < state.range(0); i++)
			fputc('\n', file);
		fclose(file);
	}
	MeasureMemoryPerRecord(state, path);
}

} // namespace

BENCHMARK(BM_Open)
	->Arg(1000)
	->Arg(100000)
	->Arg(1000000)
	->Unit(benchmark::kMillisecond)
	->UseRealTime();
BENCHMARK(BM_Save)
	->Arg(1000)
	->Arg(100000)
	->Arg(1000000)
	->Unit(benchmark::kMillisecond)
	->UseRealTime();
BENCHMARK(BM_SortByLastName)
	->Arg(1000)
	->Arg(100000)
	->Arg(1000000)
	->Unit(benchmark::kMillisecond)
	->UseRealTime();
BENCHMARK(BM_SortByLastNameLanguageRules)
	->Arg(1000)
	->Arg(100000)
	->Arg(1000000)
	->Unit(benchmark::kMillisecond)
	->UseRealTime();
BENCHMARK(BM_FindNothing)
	->ArgsProduct({{1000, 100000, 1000000}, {0, 1}})
	->Unit(benchmark::kMillisecond)
	->UseRealTime();
BENCHMARK(BM_GnuSort)
	->Arg(1000)
	->Arg(100000)
	->Arg(1000000)
	->Unit(benchmark::kMillisecond)
	->UseRealTime();
BENCHMARK(BM_MemoryPerRecord)
	->Arg(100000)
	->Iterations(1)
	->Unit(benchmark::kMillisecond)
	->UseRealTime();
BENCHMARK(BM_MemoryPerEmptyRecord)
	->Arg(100000)
	->Iterations(1)
	->Unit(benchmark::kMillisecond)
	->UseRealTime();
