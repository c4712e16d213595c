#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include <gtest/gtest.h>

#include <FindDirectory.h>
#include <Path.h>
#include <TypeConstants.h>
#include <fs_index.h>

#include "TestDirectory.h"

namespace {

using FindDirectory = TestDirectory;

struct ConfigCase {
	const char* name;
	const char* value; // nullptr: unset; "~" stands for the test directory
	const char* expected;
};

TEST_F(FindDirectory, SettingsFollowXdgConfigHome)
{
	const ConfigCase cases[] = {
		{"set", "~/conf", "~/conf"},       {"trailing slash", "~/conf/", "~/conf"},
		{"unset", nullptr, "~/.config"},   {"empty", "", "~/.config"},
		{"relative", "conf", "~/.config"},
	};
	auto expand = [this](std::string text) {
		return text[0] == '~' ? fPath.string() + text.substr(1) : text;
	};
	for (const ConfigCase& c : cases) {
		SCOPED_TRACE(c.name);
		if (c.value == nullptr)
			unsetenv("XDG_CONFIG_HOME");
		else
			setenv("XDG_CONFIG_HOME", expand(c.value).c_str(), 1);
		for (directory_which which : {B_USER_SETTINGS_DIRECTORY, B_COMMON_SETTINGS_DIRECTORY}) {
			BPath path;
			ASSERT_EQ(find_directory(which, &path), B_OK);
			EXPECT_EQ(path.Path(), expand(c.expected));
		}
	}
}

TEST_F(FindDirectory, CreatesMissingDirectoriesPrivately)
{
	std::string settings = PathOf("deep/er/settings");
	setenv("XDG_CONFIG_HOME", settings.c_str(), 1);
	BPath path;
	ASSERT_EQ(find_directory(B_USER_SETTINGS_DIRECTORY, &path), B_OK);
	struct stat info;
	EXPECT_NE(stat(settings.c_str(), &info), 0);

	ASSERT_EQ(find_directory(B_USER_SETTINGS_DIRECTORY, &path, true), B_OK);
	ASSERT_EQ(stat(settings.c_str(), &info), 0);
	EXPECT_TRUE(S_ISDIR(info.st_mode));
	EXPECT_EQ(info.st_mode & 0777, 0700u);
	EXPECT_EQ(find_directory(B_USER_SETTINGS_DIRECTORY, &path, true), B_OK);

	EXPECT_EQ(find_directory(static_cast<directory_which>(1), &path), B_BAD_VALUE);

	setenv("XDG_CONFIG_HOME", PathOf("deep/er/blocked").c_str(), 1);
	close(creat(PathOf("deep/er/blocked").c_str(), 0600));
	EXPECT_EQ(find_directory(B_USER_SETTINGS_DIRECTORY, &path, true), B_NOT_A_DIRECTORY);
}

TEST_F(FindDirectory, IndexRegistryPerVolume)
{
	const char* names[] = {"WordServicesServer", "a/b%c", ".hidden"};
	for (const char* name : names) {
		SCOPED_TRACE(name);
		index_info info;
		EXPECT_EQ(fs_stat_index(5, name, &info), B_ENTRY_NOT_FOUND);
		ASSERT_EQ(fs_create_index(5, name, B_INT32_TYPE, 0), B_OK);
		ASSERT_EQ(fs_stat_index(5, name, &info), B_OK);
		EXPECT_EQ(info.type, static_cast<uint32>(B_INT32_TYPE));
		EXPECT_EQ(fs_create_index(5, name, B_INT32_TYPE, 0), B_FILE_EXISTS);
		EXPECT_EQ(fs_stat_index(6, name, &info), B_ENTRY_NOT_FOUND);
	}
	EXPECT_EQ(fs_create_index(5, "", B_INT32_TYPE, 0), B_BAD_VALUE);
	struct stat data;
	EXPECT_EQ(stat(PathOf("data/larimo-platform/indexes/5").c_str(), &data), 0);

	// A FIFO in place of an entry would block in open() for ever.
	ASSERT_EQ(mkfifo(PathOf("data/larimo-platform/indexes/5/fifo").c_str(), 0600), 0);
	index_info info;
	EXPECT_EQ(fs_stat_index(5, "fifo", &info), B_BAD_TYPE);
}

} // namespace
