#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include <Entry.h>

#include "ABookRecord.h"
#include "BookGenerator.h"
#include "ContactExporter.h"
#include "ContactImporter.h"
#include "ImportReport.h"
#include "ZIBFiles.h"
#include "ZIBook.h"

extern char** environ;

namespace {

// Cards as phones and web mail write them: ours, with a few properties that
// have no field, about 400 bytes a card.
std::string
ProducerCards(long count)
{
	ZIBook book(nullptr);
	GenerateBook(&book, count);
	std::string cards =
		ContactExporter::Text(ContactExporter::AllRecords(book), ExportFormat::kVCard30);
	std::string text;
	text.reserve(cards.size() + count * 120);
	size_t start = 0;
	for (size_t end; (end = cards.find("END:VCARD\r\n", start)) != std::string::npos;
		 start = end + 11) {
		text.append(cards, start, end - start);
		text += "PRODID:-//Example//Phone 1.0//EN\r\nREV:2026-12-07T12:00:00Z\r\n"
				"X-SOCIALPROFILE;TYPE=mastodon:https://example.social/@someone\r\nEND:VCARD\r\n";
	}
	return text;
}

void
BM_ImportVCard(benchmark::State& state)
{
	std::string text = ProducerCards(state.range(0));
	for (auto _ : state) {
		ZIBook book(nullptr);
		ImportReport report;
		ContactImporter(&book, false).ImportText(text, "cards.vcf", ImportFormat::kDetect, report);
		benchmark::DoNotOptimize(book.GetTotalRecordsInThisAB());
	}
	state.counters["bytes"] = text.size();
}

void
BM_Export(benchmark::State& state)
{
	ZIBook book(nullptr);
	GenerateBook(&book, state.range(0));
	ExportFormat format = static_cast<ExportFormat>(state.range(1));
	std::vector<const ABookRecord*> records = ContactExporter::AllRecords(book);
	size_t size = 0;
	for (auto _ : state) {
		std::string text = ContactExporter::Text(records, format);
		size = text.size();
		benchmark::DoNotOptimize(text.data());
	}
	state.counters["bytes"] = size;
}

// A book of count records and the same people as abook's data file, in a
// directory of their own.
class QueryFiles {
public:
	explicit QueryFiles(long count)
	{
		std::string pattern = (std::filesystem::temp_directory_path() / "zibquery.XXXXXX");
		fDirectory = mkdtemp(pattern.data());
		ZIBook book(nullptr);
		GenerateBook(&book, count);
		entry_ref ref;
		get_ref_for_path(Book().c_str(), &ref);
		ZIBFiles::WriteBook(&book, &ref, ZIBFrame{0, 0, 100, 100});
		std::ofstream abook(Abook());
		abook << "[format]\nprogram=abook\nversion=0.6.1\n\n";
		long index = 0;
		for (const ABookRecord* record = book.GetListOfRecords(); record != nullptr;
			 record = record->GetNextRecord(), index++) {
			abook << "[" << index << "]\nname=" << record->Field(kFirstNameField) << " "
				  << record->Field(kLastNameField) << "\nemail=" << record->Field(kEmail1Field);
			if (record->Field(kEmail2Field)[0] != '\0')
				abook << "," << record->Field(kEmail2Field);
			abook << "\nnick=" << record->Field(kNicknameField) << "\n\n";
		}
	}

	~QueryFiles() { std::filesystem::remove_all(fDirectory); }

	std::string Book() const { return fDirectory + "/people.zib"; }
	std::string Abook() const { return fDirectory + "/addressbook"; }

private:
	std::string fDirectory;
};

// Runs a program to its end with its output thrown away; answers the CPU
// time it took, in seconds.
double
RunProcess(const std::vector<std::string>& arguments, benchmark::State& state)
{
	posix_spawn_file_actions_t actions;
	posix_spawn_file_actions_init(&actions);
	posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
	posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
	std::vector<char*> argv;
	for (const std::string& argument : arguments)
		argv.push_back(const_cast<char*>(argument.c_str()));
	argv.push_back(nullptr);
	pid_t pid;
	int status = -1;
	struct rusage usage = {};
	if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0)
		wait4(pid, &status, 0, &usage);
	posix_spawn_file_actions_destroy(&actions);
	if (!WIFEXITED(status))
		state.SkipWithError("the process did not run");
	auto seconds = [](const timeval& time) { return time.tv_sec + time.tv_usec / 1e6; };
	return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The query of a mail program as a whole process, beside abook's over the
// same people. The word matches about one record in 24.
void
BM_QueryProcess(benchmark::State& state)
{
	static QueryFiles files(100000);
	bool abook = state.range(0) == 1;
	std::vector<std::string> arguments =
		abook
			? std::vector<std::string>{"abook", "--datafile", files.Abook(), "--mutt-query",
									   "kowalski"}
			: std::vector<std::string>{ZIB_BOOK_PATH, "query", "--book", files.Book(), "kowalski"};
	state.SetLabel(abook ? "abook --mutt-query" : "zib-book query");
	double cpu = 0;
	for (auto _ : state)
		cpu += RunProcess(arguments, state);
	// The time on a busy machine includes waiting for a core; the process's
	// own CPU time does not.
	state.counters["process_cpu_ms"] =
		benchmark::Counter(cpu * 1000, benchmark::Counter::kAvgIterations);
}

} // namespace

BENCHMARK(BM_ImportVCard)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export)
	->ArgNames({"records", "format"})
	->Args({100000, static_cast<int>(ExportFormat::kVCard30)})
	->Args({100000, static_cast<int>(ExportFormat::kVCard40)})
	->Args({100000, static_cast<int>(ExportFormat::kCsv)})
	->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QueryProcess)
	->ArgName("abook")
	->Arg(0)
	->Arg(1)
	->UseRealTime()
	->Unit(benchmark::kMillisecond);
