#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include <Entry.h>
#include <File.h>

#include "TestDirectory.h"

namespace {

// Compares without printing megabytes.
testing::AssertionResult
Same(const std::string& actual, const std::string& expected)
{
	if (actual == expected)
		return testing::AssertionSuccess();
	size_t at =
		std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end()).first -
		actual.begin();
	return testing::AssertionFailure() << "sizes " << actual.size() << " and " << expected.size()
									   << ", first difference at " << at;
}

class File : public TestDirectory {
protected:
	void SetUp() override
	{
		TestDirectory::SetUp();
		fFile = PathOf("data");
	}

	std::string fFile;
};

// Random reads and writes, checked against a string that models the file;
// the buffer must never show or store anything else.
TEST_F(File, MixedOperationsMatchAModel)
{
	for (unsigned seed = 1; seed <= 20; seed++) {
		SCOPED_TRACE(seed);
		std::mt19937 random(seed);
		std::string model(random() % 200000, 'm');
		std::ofstream(fFile, std::ios::binary | std::ios::trunc) << model;
		BFile file(fFile.c_str(), B_READ_WRITE);
		ASSERT_EQ(file.InitCheck(), B_OK);
		off_t position = 0;
		for (int step = 0; step < 300; step++) {
			size_t size = random() % 4 == 0 ? random() % 150000 : random() % 20;
			switch (random() % 4) {
				case 0: {
					std::string text(size, '\0');
					for (char& c : text)
						c = 'a' + random() % 26;
					ASSERT_EQ(file.Write(text.data(), size), static_cast<ssize_t>(size));
					if (size > 0) {
						model.resize(std::max<size_t>(model.size(), position + size), '\0');
						model.replace(position, size, text);
					}
					position += size;
					break;
				}
				case 1: {
					// Read() at the position, or ReadAt() anywhere.
					bool at = random() % 2 == 0;
					off_t from = at ? random() % (model.size() + 1000) : position;
					off_t start = std::min<off_t>(from, model.size());
					ssize_t expected = std::min<off_t>(size, model.size() - start);
					std::string text(size, '?');
					ASSERT_EQ(at ? file.ReadAt(from, text.data(), size)
								 : file.Read(text.data(), size),
							  expected);
					ASSERT_TRUE(Same(text.substr(0, expected), model.substr(start, expected)))
						<< "read of " << size << " at " << from;
					if (!at)
						position += expected;
					break;
				}
				case 2: {
					off_t size = 0;
					ASSERT_EQ(file.GetSize(&size), B_OK);
					ASSERT_EQ(size, static_cast<off_t>(model.size()));
					break;
				}
				case 3:
					model.resize(random() % (model.size() + 1000), '\0');
					ASSERT_EQ(file.SetSize(model.size()), B_OK);
					break;
			}
			ASSERT_EQ(file.Position(), position);
		}
		ASSERT_EQ(file.Sync(), B_OK);
		EXPECT_TRUE(Same(ReadFile(fFile), model));
	}
}

TEST_F(File, WriteErrorIsKeptUntilSync)
{
	BFile full("/dev/full", B_WRITE_ONLY);
	ASSERT_EQ(full.InitCheck(), B_OK);
	EXPECT_EQ(full.Write("field", 5), 5);
	EXPECT_EQ(full.Sync(), B_DEVICE_FULL);
	EXPECT_EQ(full.Write("more", 4), B_DEVICE_FULL);
	EXPECT_EQ(full.Flush(), B_DEVICE_FULL);

	BFile large("/dev/full", B_WRITE_ONLY);
	std::string block(200000, 'x');
	EXPECT_EQ(large.Write(block.data(), block.size()), B_DEVICE_FULL);
	EXPECT_EQ(large.Sync(), B_DEVICE_FULL);

	// A book written in small pieces and then released reaches the file.
	{
		BFile file(fFile.c_str(), B_WRITE_ONLY | B_CREATE_FILE | B_ERASE_FILE);
		for (int i = 0; i < 10000; i++)
			ASSERT_EQ(file.Write("ab\t", 3), 3);
		file.Unset();
		EXPECT_EQ(file.Write("x", 1), B_FILE_ERROR);
	}
	EXPECT_EQ(ReadFile(fFile).size(), 30000u);
}

struct OpenCase {
	const char* name;
	uint32 mode;
	status_t status;
	ssize_t read, write;  // of one byte, read first
	const char* contents; // of the file afterwards
};

// Open modes decide what may be done: a call the mode forbids fails.
TEST_F(File, OpenModesAndAccess)
{
	const OpenCase cases[] = {
		{"read only", B_READ_ONLY, B_OK, 1, B_FILE_ERROR, "old"},
		{"read write", B_READ_WRITE, B_OK, 1, 1, "oxd"},
		{"erase", B_WRITE_ONLY | B_ERASE_FILE, B_OK, B_FILE_ERROR, 1, "x"},
		{"create existing", B_WRITE_ONLY | B_CREATE_FILE, B_OK, B_FILE_ERROR, 1, "xld"},
		{"fail if exists", B_WRITE_ONLY | B_CREATE_FILE | B_FAIL_IF_EXISTS, B_FILE_EXISTS, 0, 0,
		 "old"},
		{"erase read only", B_READ_ONLY | B_ERASE_FILE, B_BAD_VALUE, 0, 0, "old"},
		{"bad access", 3, B_BAD_VALUE, 0, 0, "old"},
	};
	for (const OpenCase& c : cases) {
		SCOPED_TRACE(c.name);
		std::ofstream(fFile, std::ios::trunc) << "old";
		BFile file(fFile.c_str(), c.mode);
		ASSERT_EQ(file.InitCheck(), c.status);
		char byte;
		if (c.status == B_OK) {
			EXPECT_EQ(file.Read(&byte, 1), c.read);
			EXPECT_EQ(file.Write("x", 1), c.write);
			if (c.write == B_FILE_ERROR) {
				EXPECT_EQ(file.SetSize(0), B_FILE_ERROR);
			}
		}
		file.Unset();
		EXPECT_EQ(ReadFile(fFile), c.contents);
	}

	ASSERT_EQ(chmod(fFile.c_str(), 0444), 0);
	if (geteuid() != 0) {
		EXPECT_EQ(BFile(fFile.c_str(), B_READ_WRITE).InitCheck(), B_PERMISSION_DENIED);
	}
	EXPECT_EQ(BFile(PathOf("missing").c_str(), B_READ_ONLY).InitCheck(), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(BFile(fPath.c_str(), B_READ_ONLY).InitCheck(), B_IS_A_DIRECTORY);
	entry_ref nowhere(1, 2, "leaf");
	EXPECT_EQ(BFile(&nowhere, B_READ_ONLY).InitCheck(), B_ENTRY_NOT_FOUND);

	BFile created(PathOf("new").c_str(), B_WRITE_ONLY | B_CREATE_FILE);
	ASSERT_EQ(created.InitCheck(), B_OK);
	EXPECT_NE(fcntl(BPrivate::node_descriptor(&created), F_GETFD) & FD_CLOEXEC, 0);
}

} // namespace
