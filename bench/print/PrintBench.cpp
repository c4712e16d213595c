// Printing a made-up book into a PDF file: 1,000 envelopes, 1,000 labels and
// the list of 1,000 records, each as one whole job from the empty file to
// the finished PDF.

#include <stdlib.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <QGuiApplication>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

#include "ABookRecord.h"
#include "BookGenerator.h"
#include "EnvelopeLayout.h"
#include "LabelLayout.h"
#include "ListLayout.h"
#include "ZIBook.h"

namespace {

const long kRecords = 1000;

// A book of kRecords records, and a PDF file to write, removed at the end.
struct PrintFixture {
	PrintFixture()
	{
		GenerateBook(&book, kRecords);
		for (const ABookRecord* record = book.GetListOfRecords(); record != nullptr;
			 record = record->GetNextRecord())
			records.push_back(record);
		char pattern[] = "/tmp/print_bench.XXXXXX";
		int fd = mkstemp(pattern);
		if (fd >= 0)
			close(fd);
		path = pattern;
	}
	~PrintFixture() { unlink(path.c_str()); }

	template <class Layout> void Run(benchmark::State& state, const Layout& layout)
	{
		for (auto _ : state) {
			QPdfWriter writer(QString::fromStdString(path));
			if (!layout.Print(&writer, records))
				state.SkipWithError("the PDF could not be written");
		}
		state.SetItemsProcessed(state.iterations() * kRecords);
	}

	ZIBook book{nullptr};
	std::vector<const ABookRecord*> records;
	std::string path;
};

void
BM_Envelopes(benchmark::State& state)
{
	PrintFixture fixture;
	fixture.Run(state, EnvelopeLayout(PaperChoice::kDL, fixture.records[0]));
}
BENCHMARK(BM_Envelopes)->Unit(benchmark::kMillisecond)->UseRealTime();

void
BM_Labels(benchmark::State& state)
{
	PrintFixture fixture;
	fixture.Run(state, LabelLayout(PaperChoice::kL7160, 0));
}
BENCHMARK(BM_Labels)->Unit(benchmark::kMillisecond)->UseRealTime();

void
BM_List(benchmark::State& state)
{
	PrintFixture fixture;
	fixture.Run(state, ListLayout("Bench", {kFirstNameField, kLastNameField, kCityField,
											kPhoneField, kEmail1Field}));
}
BENCHMARK(BM_List)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int
main(int argc, char** argv)
{
	setenv("QT_QPA_PLATFORM", "offscreen", 0);
	QGuiApplication application(argc, argv);
	benchmark::Initialize(&argc, argv);
	benchmark::RunSpecifiedBenchmarks();
	benchmark::Shutdown();
	return 0;
}
