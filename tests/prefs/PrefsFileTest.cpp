#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <string>

#include "PrefsFixture.h"

static std::string
Count(int32 count)
{
	return std::string(reinterpret_cast<const char*>(&count), sizeof(count));
}

static std::string
BeOSMessage()
{
	return PrefsTest::Example("settings-beos").substr(4);
}

static std::string
RandomBytes(size_t size)
{
	std::mt19937 random(7);
	std::string bytes;
	while (bytes.size() < size)
		bytes += static_cast<char>(random());
	return bytes;
}

struct SetFile {
	const char* name;
	std::string bytes;
	status_t expected;
	std::string item; // "LastFileSaved" after loading
};

class PrefsFileTest : public PrefsTest, public testing::WithParamInterface<SetFile> {};

// A file that fails to load leaves nothing loaded: a good file written
// afterwards is read.
TEST_P(PrefsFileTest, LoadsAsItsCountSays)
{
	const SetFile& row = GetParam();
	WriteFile(SetPath("settings"), row.bytes);
	_PREFData* set = OpenSettings(row.expected);
	if (row.expected == B_OK) {
		type_code type = B_STRING_TYPE;
		EXPECT_EQ(Item(set, "LastFileSaved", &type), row.item);
		EXPECT_EQ(type, static_cast<type_code>(B_STRING_TYPE));
	} else {
		EXPECT_EQ(set, nullptr);
		WriteFile(SetPath("settings"), Example("settings-beos"));
		ASSERT_EQ(PREFLoadSet(fHandle, "settings", true, &set), B_OK);
		EXPECT_EQ(Item(set, "LastFileSaved"), kLastFile);
	}
	EXPECT_EQ(PREFShutdown(fHandle), B_OK);
}

INSTANTIATE_TEST_SUITE_P(
	PrefsFiles, PrefsFileTest,
	testing::Values(SetFile{"BeOS", PrefsTest::Example("settings-beos"), B_OK, kLastFile},
					SetFile{"HaikuR5", PrefsTest::Example("settings-haiku-r5"), B_OK, kLastFile},
					SetFile{"LongerThanItsCount",
							PrefsTest::Example("settings-beos") + RandomBytes(99), B_OK, kLastFile},
					SetFile{"Empty", "", B_OK, "<missing>"},
					SetFile{"ShorterThanACount", std::string("\x3d\x00\x00", 3), B_OK, "<missing>"},
					SetFile{"Truncated", Count(61) + BeOSMessage().substr(0, 50), B_OK,
							"<missing>"},
					SetFile{"HugeCount", Count(INT32_MAX) + BeOSMessage(), B_OK, "<missing>"},
					SetFile{"NegativeCount", Count(-61) + BeOSMessage(), B_NO_MEMORY, ""},
					SetFile{"ZeroCount", Count(0) + BeOSMessage(), B_NO_MEMORY, ""},
					SetFile{"RandomBytes", Count(61) + RandomBytes(61), B_NO_MEMORY, ""},
					SetFile{"CountCutsTheMessage", Count(40) + BeOSMessage(), B_NO_MEMORY, ""}),
	[](const testing::TestParamInfo<SetFile>& info) { return info.param.name; });

TEST_F(PrefsTest, SavedFileIsTheBeOSFormByteForByte)
{
	_PREFData* set = OpenSettings();
	ASSERT_EQ(PREFSetData(set, "LastFileSaved", kLastFile.data(), kLastFile.size(), B_STRING_TYPE),
			  B_OK);
	ASSERT_EQ(PREFSaveSet(set), B_OK);
	EXPECT_EQ(ReadFile(SetPath("settings")), Example("settings-beos"));
	EXPECT_EQ(PREFShutdown(fHandle), B_OK);
}

// A count of 2 GB in a small file must be refused from the file size, not
// discovered by allocating it: in a child with little address space, an
// allocation of that size fails and the load would report B_NO_MEMORY.
TEST_F(PrefsTest, HugeCountAllocatesNothing)
{
#if defined(__SANITIZE_ADDRESS__)
	GTEST_SKIP() << "address space limits do not work with AddressSanitizer";
#endif
	WriteFile(SetPath("settings"), Count(INT32_MAX - 8) + BeOSMessage());
	pid_t child = fork();
	if (child == 0) {
		long pages = 0;
		FILE* statm = fopen("/proc/self/statm", "r");
		if (statm == nullptr || fscanf(statm, "%ld", &pages) != 1)
			_exit(2);
		rlim_t limit = pages * sysconf(_SC_PAGESIZE) + (256 << 20);
		struct rlimit rlimit = {limit, limit};
		_PREFData* set;
		if (setrlimit(RLIMIT_AS, &rlimit) != 0 || PREFInit(kApp, &fHandle) != B_OK)
			_exit(2);
		_exit(PREFLoadSet(fHandle, "settings", true, &set) == B_OK ? 0 : 1);
	}
	int status = 0;
	ASSERT_EQ(waitpid(child, &status, 0), child);
	EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}
