#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "PrefsFixture.h"

// A child process: waits for a byte on start, then saves value as
// "LastFileSaved" rounds times.
static pid_t
StartSaver(int start, const std::string& value, int rounds)
{
	pid_t child = fork();
	if (child != 0)
		return child;
	char byte;
	_PREFHandle* handle;
	_PREFData* set;
	if (freopen("/dev/null", "w", stdout) == nullptr || read(start, &byte, 1) != 1 ||
		PREFInit(PrefsTest::kApp, &handle) != B_OK ||
		PREFLoadSet(handle, "settings", true, &set) != B_OK)
		_exit(2);
	for (int round = 0; round < rounds; round++) {
		if (PREFSetData(set, "LastFileSaved", value.data(), value.size(), B_STRING_TYPE) != B_OK ||
			PREFSaveSet(set) != B_OK)
			_exit(3);
	}
	_exit(PREFShutdown(handle) == B_OK ? 0 : 5);
}

// The item as a fresh load reads it from the file.
static std::string
LoadedItem()
{
	_PREFHandle* handle;
	_PREFData* set;
	if (PREFInit(PrefsTest::kApp, &handle) != B_OK)
		return "<no handle>";
	status_t status = PREFLoadSet(handle, "settings", true, &set);
	std::string item = status == B_OK ? PrefsTest::Item(set, "LastFileSaved") : "<not loaded>";
	PREFShutdown(handle);
	return item;
}

// Two processes save different messages at the same moment, 20 times each,
// while this one keeps loading: every load must find one whole message.
TEST_F(PrefsTest, ConcurrentSavesNeverInterleave)
{
	const std::string values[] = {kLastFile, std::string(4000, 'a'), std::string(100, 'b')};
	WriteFile(SetPath("settings"), Example("settings-beos"));
	int start[2];
	ASSERT_EQ(pipe(start), 0);
	pid_t savers[] = {StartSaver(start[0], values[1], 20), StartSaver(start[0], values[2], 20)};
	ASSERT_EQ(write(start[1], "ss", 2), 2);

	testing::internal::CaptureStdout(); // every load prints the item
	int statuses[] = {-1, -1};
	while (statuses[0] == -1 || statuses[1] == -1) {
		std::string item = LoadedItem();
		if (item != values[0] && item != values[1] && item != values[2]) {
			ADD_FAILURE() << "a load read " << item.size() << " bytes";
			break;
		}
		for (int i = 0; i < 2; i++) {
			int status = 0;
			pid_t result = statuses[i] == -1 ? waitpid(savers[i], &status, WNOHANG) : 0;
			if (result != 0)
				statuses[i] = result == savers[i] ? status : 0xff00;
		}
	}
	std::string last = LoadedItem();
	testing::internal::GetCapturedStdout();
	EXPECT_EQ(statuses[0], 0);
	EXPECT_EQ(statuses[1], 0);
	EXPECT_TRUE(last == values[1] || last == values[2]) << last;
	close(start[0]);
	close(start[1]);
}
