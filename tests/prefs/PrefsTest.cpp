#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "PrefsFixture.h"

namespace fs = std::filesystem;

TEST_F(PrefsTest, HandlesAreSharedByNameUntilTheLastShutdown)
{
	_PREFHandle* first;
	_PREFHandle* second;
	_PREFHandle* other;
	ASSERT_EQ(PREFInit(kApp, &first), B_OK);
	ASSERT_EQ(PREFInit(kApp, &second), B_OK);
	ASSERT_EQ(PREFInit("other", &other), B_OK);
	EXPECT_EQ(first, second);
	EXPECT_NE(first, other);

	EXPECT_EQ(PREFShutdown(first), PREF_ERR_NOT_FOUND);
	EXPECT_EQ(PREFShutdown(first), B_OK);
	EXPECT_EQ(PREFShutdown(first), PREF_ERR_NOT_FOUND);
	EXPECT_EQ(PREFShutdown(other), B_OK);
}

TEST_F(PrefsTest, LoadedSetIsSharedWithoutFileAccessUntilTheLastDispose)
{
	_PREFData* first = OpenSettings();
	_PREFData* second;
	ASSERT_NE(first, nullptr);
	EXPECT_EQ(fs::file_size(SetPath("settings")), 0u);
	SetItem(first, "memory", "only");

	// A directory in place of the file: any open or read would fail.
	fs::remove(SetPath("settings"));
	fs::create_directory(SetPath("settings"));
	ASSERT_EQ(PREFLoadSet(fHandle, "settings", true, &second), B_OK);
	EXPECT_EQ(second, first);
	fs::remove(SetPath("settings"));
	WriteFile(SetPath("settings"), Example("settings-beos"));

	EXPECT_EQ(PREFDisposeSet(&second), B_OK);
	ASSERT_EQ(second, first);
	EXPECT_EQ(Item(first, "memory"), "only");
	EXPECT_EQ(PREFDisposeSet(&first), B_OK);
	EXPECT_EQ(first, nullptr);

	ASSERT_EQ(PREFLoadSet(fHandle, "settings", true, &first), B_OK);
	EXPECT_EQ(Item(first, "memory"), "<missing>");
	EXPECT_EQ(Item(first, "LastFileSaved"), kLastFile);

	// Shutdown disposes the set still loaded, without saving it.
	SetItem(first, "memory", "lost");
	EXPECT_EQ(PREFShutdown(fHandle), B_OK);
	EXPECT_EQ(ReadFile(SetPath("settings")), Example("settings-beos"));
}

TEST_F(PrefsTest, EachSetNameAndDirectoryIsItsOwnFile)
{
	struct Row {
		const char* set;
		bool user;
	};
	const Row rows[] = {{"settings", true}, {"settings", false}, {"a/b/c", true}, {"a/b", false}};
	auto where = [](const Row& row) {
		return std::string(row.set) + (row.user ? " user" : " common");
	};
	ASSERT_EQ(PREFInit(kApp, &fHandle), B_OK);
	for (const Row& row : rows) {
		_PREFData* set;
		ASSERT_EQ(PREFLoadSet(fHandle, row.set, row.user, &set), B_OK) << row.set;
		SetItem(set, "where", where(row));
		ASSERT_EQ(PREFSaveSet(set), B_OK);
	}
	ASSERT_EQ(PREFShutdown(fHandle), B_OK);

	ASSERT_EQ(PREFInit(kApp, &fHandle), B_OK);
	for (const Row& row : rows) {
		SCOPED_TRACE(row.set);
		EXPECT_TRUE(fs::is_regular_file(SetPath(row.set, row.user)));
		_PREFData* set;
		ASSERT_EQ(PREFLoadSet(fHandle, row.set, row.user, &set), B_OK);
		EXPECT_EQ(Item(set, "where"), where(row));
	}
	EXPECT_EQ(PREFShutdown(fHandle), B_OK);
}

TEST_F(PrefsTest, ReplacedItemsKeepOnlyTheNewValueAndTheFileIsNeverShortened)
{
	_PREFData* set = OpenSettings();
	ASSERT_NE(set, nullptr);
	int32 number = 42;
	ASSERT_EQ(PREFSetData(set, "item", &number, sizeof(number), B_INT32_TYPE), B_OK);
	SetItem(set, "item", std::string(600, 'x'));
	ASSERT_EQ(PREFSaveSet(set), B_OK);
	uintmax_t longSize = fs::file_size(SetPath("settings"));

	// Refused replacements leave the item alone.
	EXPECT_EQ(PREFSetData(set, "item", "abc", 0, B_STRING_TYPE), B_BAD_VALUE);
	EXPECT_EQ(PREFSetData(set, "item", nullptr, 3, B_STRING_TYPE), B_BAD_VALUE);
	EXPECT_EQ(PREFSetData(set, "item", "abc", 3, B_INT32_TYPE), B_BAD_VALUE);
	EXPECT_EQ(Item(set, "item"), std::string(600, 'x'));
	// Set again from its own bytes, which the replacement frees.
	const void* data;
	int32 size;
	type_code type = 0;
	ASSERT_EQ(PREFGetData(set, "item", &data, &size, &type), B_OK);
	ASSERT_EQ(PREFSetData(set, "item", data, size, type), B_OK);
	EXPECT_EQ(Item(set, "item"), std::string(600, 'x'));

	ASSERT_EQ(PREFSetData(set, "item", "short", 6, B_STRING_TYPE), B_OK);
	ASSERT_EQ(PREFSaveSet(set), B_OK);
	EXPECT_EQ(fs::file_size(SetPath("settings")), longSize);
	ASSERT_EQ(PREFShutdown(fHandle), B_OK);

	EXPECT_EQ(Item(OpenSettings(), "item", &type), std::string("short", 6));
	EXPECT_EQ(type, static_cast<type_code>(B_STRING_TYPE));
	EXPECT_EQ(PREFShutdown(fHandle), B_OK);
}

TEST_F(PrefsTest, DebugLinesShowAtMostSizeBytes)
{
	_PREFData* set = OpenSettings();
	ASSERT_NE(set, nullptr);
	// No terminator within the item: the lines must stop at its size.
	std::vector<char> bytes = {'a', 'b', 'c'};
	const void* data;
	int32 size;
	type_code type;

	testing::internal::CaptureStdout();
	EXPECT_EQ(PREFSetData(set, "raw", bytes.data(), bytes.size(), B_RAW_TYPE), B_OK);
	EXPECT_EQ(PREFGetData(set, "raw", &data, &size, &type), B_OK);
	EXPECT_EQ(PREFGetData(set, "none", &data, &size, &type), PREF_ERR_NOT_FOUND);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
			  "PREFSetData with buffer: abc of size 3\nacquired\ndid the adddata\n"
			  "FindData got: abc of size 3\n"
			  "FindData got:  of size 0\n");
	EXPECT_EQ(PREFShutdown(fHandle), B_OK);
}

// A file or a dangling link in the way of a directory, a FIFO in place of the
// set file, or a set name that makes the path 1024 bytes long (null set):
// nothing is loaded, at once.
enum Blocker { kFile, kDanglingLink, kFifo };

struct PathFailure {
	const char* name;
	const char* blocker;
	Blocker kind;
	const char* set;
	bool user;
	status_t expected;
};

class PrefsPathTest : public PrefsTest, public testing::WithParamInterface<PathFailure> {};

static std::string
SetNameOfPathLength(const fs::path& config, bool user, size_t length)
{
	size_t used = (config / "_LP_").string().size() + strlen(PrefsTest::kApp) + 1 +
				  (user ? 0 : strlen("/(libprefs common)"));
	std::string name;
	while (used + name.size() < length) {
		bool last = used + name.size() + 1 == length;
		name += name.size() % 200 == 199 && !last ? '/' : 'n';
	}
	return name;
}

TEST_P(PrefsPathTest, LoadsNothing)
{
	const PathFailure& row = GetParam();
	fs::path config = fPath / "config";
	if (row.blocker != nullptr) {
		fs::create_directories((fPath / row.blocker).parent_path());
		if (row.kind == kDanglingLink)
			fs::create_symlink("/nonexistent/directory", fPath / row.blocker);
		else if (row.kind == kFifo)
			ASSERT_EQ(mkfifo((fPath / row.blocker).c_str(), 0600), 0);
		else
			WriteFile(fPath / row.blocker, "x");
	}
	std::string set = row.set != nullptr ? row.set : SetNameOfPathLength(config, row.user, 1024);
	_PREFData* loaded = reinterpret_cast<_PREFData*>(1);
	ASSERT_EQ(PREFInit(kApp, &fHandle), B_OK);
	EXPECT_EQ(PREFLoadSet(fHandle, set.c_str(), row.user, &loaded), row.expected);
	EXPECT_EQ(loaded, nullptr);
	if (row.set == nullptr) {
		set = SetNameOfPathLength(config, row.user, 1023);
		EXPECT_EQ(PREFLoadSet(fHandle, set.c_str(), row.user, &loaded), B_OK);
	}
	EXPECT_EQ(PREFShutdown(fHandle), B_OK);
}

INSTANTIATE_TEST_SUITE_P(
	PrefsPaths, PrefsPathTest,
	testing::Values(
		PathFailure{"UserPathOf1024", nullptr, kFile, nullptr, true, PREF_ERR_NAME_TOO_LONG},
		PathFailure{"CommonPathOf1024", nullptr, kFile, nullptr, false, PREF_ERR_NAME_TOO_LONG},
		PathFailure{"SettingsDirectoryIsAFile", "config", kFile, "s", true, B_NOT_A_DIRECTORY},
		PathFailure{"ApplicationDirectoryIsAFile", "config/_LP_x-vnd.vornak-zibmo", kFile, "s",
					false, B_NOT_A_DIRECTORY},
		PathFailure{"SubdirectoryIsAFile", "config/_LP_x-vnd.vornak-zibmo/a", kFile, "a/b", true,
					B_NOT_A_DIRECTORY},
		PathFailure{"SubdirectoryCannotBeCreated", "config/_LP_x-vnd.vornak-zibmo/a", kDanglingLink,
					"a/b", true, B_ENTRY_NOT_FOUND},
		PathFailure{"SetFileIsAFifo", "config/_LP_x-vnd.vornak-zibmo/s", kFifo, "s", true,
					B_BAD_TYPE}),
	[](const testing::TestParamInfo<PathFailure>& info) { return info.param.name; });
