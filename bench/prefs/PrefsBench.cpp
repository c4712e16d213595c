// PREFGetData() of the last item added to a set of n items. It prints a debug
// line per call: run with stdout redirected (to /dev/null, or a file) and the
// results written with --benchmark_out.

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include <Prefs.h>
#include <TypeConstants.h>

static void
BM_GetData(benchmark::State& state)
{
	std::string directory = std::filesystem::temp_directory_path() / "prefsbench.XXXXXX";
	if (mkdtemp(directory.data()) == nullptr) {
		state.SkipWithError("no temporary directory");
		return;
	}
	setenv("XDG_CONFIG_HOME", directory.c_str(), 1);
	_PREFHandle* handle;
	_PREFData* set;
	if (PREFInit("bench", &handle) != B_OK || PREFLoadSet(handle, "settings", true, &set) != B_OK) {
		state.SkipWithError("no set");
		return;
	}
	for (int64_t i = 1; i < state.range(0); i++) {
		std::string name = "item " + std::to_string(i);
		PREFSetData(set, name.c_str(), &i, sizeof(i), B_INT64_TYPE);
	}
	const char path[] = "/home/user/friends.zib";
	PREFSetData(set, "LastFileSaved", path, sizeof(path), B_STRING_TYPE);

	const void* data;
	int32 size;
	type_code type;
	for (auto _ : state) {
		PREFGetData(set, "LastFileSaved", &data, &size, &type);
		benchmark::DoNotOptimize(data);
	}
	PREFShutdown(handle);
	std::filesystem::remove_all(directory);
}
BENCHMARK(BM_GetData)->Arg(1)->Arg(100)->Arg(1000);
