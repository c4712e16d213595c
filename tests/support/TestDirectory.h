#ifndef TEST_DIRECTORY_H
#define TEST_DIRECTORY_H

#include <stdlib.h>
#include <sys/xattr.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

// A fresh directory per test, with HOME and the XDG lookups pointed into it,
// so that no test touches the real home. Removed when the test ends.
class TestDirectory : public testing::Test {
protected:
	void SetUp() override
	{
		std::string pattern = testing::TempDir() + "zibtest.XXXXXX";
		ASSERT_NE(mkdtemp(pattern.data()), nullptr);
		fPath = pattern;
		for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"})
			fSaved.emplace_back(name, getenv(name) != nullptr ? getenv(name) : "");
		setenv("HOME", fPath.c_str(), 1);
		setenv("XDG_CONFIG_HOME", (fPath / "config").c_str(), 1);
		setenv("XDG_DATA_HOME", (fPath / "data").c_str(), 1);
		setenv("XDG_RUNTIME_DIR", (fPath / "runtime").c_str(), 1);
		// Qt refuses a runtime directory that others may read.
		std::filesystem::create_directories(fPath / "runtime");
		std::filesystem::permissions(fPath / "runtime", std::filesystem::perms::owner_all);
	}

	void TearDown() override
	{
		for (const auto& [name, value] : fSaved) {
			if (value.empty())
				unsetenv(name.c_str());
			else
				setenv(name.c_str(), value.c_str(), 1);
		}
		std::error_code ignored;
		std::filesystem::permissions(fPath, std::filesystem::perms::owner_all,
									 std::filesystem::perm_options::add, ignored);
		std::filesystem::remove_all(fPath, ignored);
	}

	// The path of a name inside the test directory.
	std::string PathOf(const std::string& name) const { return (fPath / name).string(); }

	// The bytes of a file; empty when it cannot be read.
	static std::string ReadFile(const std::string& path)
	{
		std::ifstream in(path, std::ios::binary);
		return std::string(std::istreambuf_iterator<char>(in), {});
	}

	// Writes bytes to path, making the folders it needs.
	static void WriteFile(const std::string& path, const std::string& bytes)
	{
		std::filesystem::create_directories(std::filesystem::path(path).parent_path());
		std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
	}

	// An extended attribute of path itself (a link, not its target), or "<missing>".
	static std::string Xattr(const std::string& path, const char* name)
	{
		std::string value(65536, '\0');
		ssize_t size = lgetxattr(path.c_str(), name, value.data(), value.size());
		return size < 0 ? "<missing>" : value.substr(0, size);
	}

	// The names in a directory.
	static std::set<std::string> Listing(const std::filesystem::path& directory)
	{
		std::set<std::string> names;
		for (const auto& entry : std::filesystem::directory_iterator(directory))
			names.insert(entry.path().filename().string());
		return names;
	}

	std::filesystem::path fPath;

private:
	std::vector<std::pair<std::string, std::string>> fSaved;
};

#endif // TEST_DIRECTORY_H
