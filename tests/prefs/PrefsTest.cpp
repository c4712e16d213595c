#include <sys/stat.h>

#include <filesystem>
#include <string>

#include <PreferenceSet.h>
#include <Preferences.h>

#include "PrefsFixture.h"

namespace fs = std::filesystem;

TEST_F(PrefsTest, ApplicationNameWithSlashIsRefused)
{
	Preferences preferences("x-vnd/zibmo");
	EXPECT_EQ(preferences.InitCheck(), B_BAD_VALUE);
	PreferenceSet settings(preferences, "settings", true);
	EXPECT_EQ(settings.InitCheck(), B_BAD_VALUE);
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

// A file in the way of a directory, a FIFO in place of the set file, or a
// set name that makes the path 1024 bytes long (null set): nothing is
// loaded, at once.
enum Blocker { kFile, kFifo };

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
		if (row.kind == kFifo)
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
		PathFailure{"SubdirectoryIsAFile", "config/_LP_x-vnd.vornak-zibmo/a", kFile, "a/b", true,
					B_NOT_A_DIRECTORY},
		PathFailure{"SetFileIsAFifo", "config/_LP_x-vnd.vornak-zibmo/s", kFifo, "s", true,
					B_BAD_TYPE}),
	[](const testing::TestParamInfo<PathFailure>& info) { return info.param.name; });
