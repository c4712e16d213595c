// Costs of the message operations the preference store and the port
// transport use, on a message of a few hundred fields.

#include <Message.h>

#include <string>
#include <vector>

#include <benchmark/benchmark.h>

namespace {

// fieldCount fields of mixed types; the last one is "LastFileSaved".
BMessage
MakeMessage(int fieldCount)
{
	BMessage message('pref');
	for (int i = 0; i < fieldCount - 1; i++) {
		std::string name = "setting" + std::to_string(i);
		if (i % 2 == 0)
			message.AddInt32(name.c_str(), i);
		else
			message.AddString(name.c_str(), "/home/user/documents/book");
	}
	message.AddString("LastFileSaved", "/home/user/documents/addresses");
	return message;
}

// The preference store's read: GetInfo for the type, then FindData.
void
BM_LookupLastField(benchmark::State& state)
{
	BMessage message = MakeMessage(state.range(0));
	for (auto _ : state) {
		type_code type;
		const void* data;
		ssize_t size;
		message.GetInfo("LastFileSaved", &type);
		benchmark::DoNotOptimize(message.FindData("LastFileSaved", type, 0, &data, &size));
		benchmark::DoNotOptimize(data);
	}
}
BENCHMARK(BM_LookupLastField)->Arg(10)->Arg(100)->Arg(400);

// The preference store's write: RemoveName, then AddData.
void
BM_ReplaceField(benchmark::State& state)
{
	BMessage message = MakeMessage(state.range(0));
	const char path[] = "/home/user/documents/addresses";
	for (auto _ : state) {
		message.RemoveName("setting1");
		benchmark::DoNotOptimize(message.AddData("setting1", B_STRING_TYPE, path, sizeof(path)));
	}
}
BENCHMARK(BM_ReplaceField)->Arg(100);

void
BM_FlattenAndUnflatten(benchmark::State& state)
{
	BMessage message = MakeMessage(state.range(0));
	std::vector<char> buffer(message.FlattenedSize());
	BMessage copy;
	for (auto _ : state) {
		message.Flatten(buffer.data(), buffer.size());
		benchmark::DoNotOptimize(copy.Unflatten(buffer.data(), buffer.size()));
	}
	state.SetBytesProcessed(state.iterations() * buffer.size());
}
BENCHMARK(BM_FlattenAndUnflatten)->Arg(100);

} // namespace
