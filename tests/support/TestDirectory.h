#ifndef TEST_DIRECTORY_H
#define TEST_DIRECTORY_H

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
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

	std::filesystem::path fPath;

private:
	std::vector<std::pair<std::string, std::string>> fSaved;
};

#endif // TEST_DIRECTORY_H
