#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <Entry.h>
#include <File.h>
#include <Message.h>
#include <Path.h>
#include <TypeConstants.h>

#include "TestDirectory.h"

namespace {

class Entry : public TestDirectory {
protected:
	void SetUp() override
	{
		TestDirectory::SetUp();
		// fPath itself may lie under a symbolic link (/tmp); compare with its
		// canonical form.
		fReal = std::filesystem::canonical(fPath).string();
		std::filesystem::create_directories(fPath / "real" / "sub");
		std::ofstream(fPath / "real" / "book") << "contents";
		std::filesystem::create_directory_symlink(fPath / "real", fPath / "linked");
		std::filesystem::create_symlink("book", fPath / "real" / "alias");
	}

	std::string fReal;
};

struct EntryCase {
	const char* path;
	bool traverse;
	status_t status;
	const char* expected; // relative to the canonical test directory
	bool exists;
};

TEST_F(Entry, ResolvesDirectoryLinksAndKeepsMissingLeaves)
{
	const EntryCase cases[] = {
		{"real/book", false, B_OK, "real/book", true},
		{"linked/book", false, B_OK, "real/book", true},
		{"linked/new-file", false, B_OK, "real/new-file", false},
		{"linked/alias", false, B_OK, "real/alias", true},
		{"linked/alias", true, B_OK, "real/book", true},
		{"real/sub/../book", false, B_OK, "real/book", true},
		{"real/sub/.", false, B_OK, "real/sub", true},
		{"missing/book", false, B_ENTRY_NOT_FOUND, nullptr, false},
		{"real/book/inside", false, B_NOT_A_DIRECTORY, nullptr, false},
	};
	for (const EntryCase& c : cases) {
		SCOPED_TRACE(c.path);
		BEntry entry(PathOf(c.path).c_str(), c.traverse);
		ASSERT_EQ(entry.InitCheck(), c.status);
		EXPECT_EQ(entry.Exists(), c.exists);
		BPath path;
		ASSERT_EQ(entry.GetPath(&path), c.status);
		if (c.status == B_OK) {
			EXPECT_STREQ(path.Path(), (fReal + "/" + c.expected).c_str());
		}
	}
}

struct PathCase {
	const char* dir;
	const char* leaf;
	bool normalize;
	status_t status;
	const char* expected; // "~" stands for the canonical test directory
};

TEST_F(Entry, PathsNormalizeWhenTheyMust)
{
	const std::string base = fPath.string();
	const PathCase cases[] = {
		{"/no/such/dir", "file", false, B_OK, "/no/such/dir/file"},
		{"/no/such/dir", "file", true, B_ENTRY_NOT_FOUND, nullptr},
		{"/no/such/../dir", nullptr, false, B_ENTRY_NOT_FOUND, nullptr},
		{base.c_str(), "linked/./sub/../book", false, B_OK, "~/real/book"},
		{base.c_str(), "linked/sub/", false, B_OK, "~/real/sub"},
		{base.c_str(), "/absolute", false, B_BAD_VALUE, nullptr},
		{"/", nullptr, false, B_OK, "/"},
		{"", nullptr, false, B_BAD_VALUE, nullptr},
	};
	for (const PathCase& c : cases) {
		SCOPED_TRACE(std::string(c.dir) + " + " + (c.leaf != nullptr ? c.leaf : "(null)"));
		BPath path(c.dir, c.leaf, c.normalize);
		ASSERT_EQ(path.InitCheck(), c.status);
		if (c.status != B_OK) {
			EXPECT_EQ(path.Path(), nullptr);
			continue;
		}
		std::string expected = c.expected;
		if (expected[0] == '~')
			expected = fReal + expected.substr(1);
		EXPECT_EQ(path.Path(), expected);
	}
}

// A B_REF_TYPE item: device, directory inode, then the path.
std::string
RefItem(int32 device, int64 directory, const std::string& tail)
{
	std::string item(12, '\0');
	memcpy(item.data(), &device, 4);
	memcpy(item.data() + 4, &directory, 8);
	return item + tail;
}

// A ref names the resolved directory by device and inode, and its path.
TEST_F(Entry, RefTravelsThroughFlattenedMessage)
{
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(PathOf("linked/book").c_str(), &ref), B_OK);
	EXPECT_STREQ(ref.name, "book");
	entry_ref none;
	EXPECT_EQ(get_ref_for_path(PathOf("missing/book").c_str(), &none), B_ENTRY_NOT_FOUND);
	BMessage message('open');
	ASSERT_EQ(message.AddRef("refs", &ref), B_OK);

	// The path is absolute, with its NUL.
	struct stat directory;
	ASSERT_EQ(stat(PathOf("real").c_str(), &directory), 0);
	const void* data;
	ssize_t size;
	ASSERT_EQ(message.FindData("refs", B_REF_TYPE, &data, &size), B_OK);
	std::string path = fReal + "/real/book";
	EXPECT_EQ(
		std::string(static_cast<const char*>(data), size),
		RefItem(directory.st_dev, directory.st_ino, std::string(path.c_str(), path.size() + 1)));

	std::vector<char> flat(message.FlattenedSize());
	ASSERT_EQ(message.Flatten(flat.data(), flat.size()), B_OK);
	BMessage copy;
	ASSERT_EQ(copy.Unflatten(flat.data(), flat.size()), B_OK);
	entry_ref back;
	ASSERT_EQ(copy.FindRef("refs", &back), B_OK);
	EXPECT_EQ(back, ref);

	BFile file(&back, B_READ_ONLY);
	char text[16] = {};
	ASSERT_EQ(file.Read(text, sizeof(text)), 8);
	EXPECT_STREQ(text, "contents");
}

struct RefItemCase {
	const char* name;
	std::string item;
	status_t status;
	const char* leaf;
	status_t open; // what BEntry makes of the ref
};

TEST_F(Entry, ForeignAndDamagedRefItems)
{
	const RefItemCase cases[] = {
		{"platform leaf only", RefItem(3, 0x1234, std::string("a.txt", 6)), B_OK, "a.txt",
		 B_ENTRY_NOT_FOUND},
		{"no name", RefItem(3, 0x1234, ""), B_OK, nullptr, B_BAD_VALUE},
		{"device -1", RefItem(-1, 0, std::string("x", 2)), B_OK, nullptr, B_BAD_VALUE},
		{"no terminator", RefItem(3, 1, PathOf("real/book")), B_OK, "book", B_OK},
		{"relative path", RefItem(3, 1, std::string("a/b", 4)), B_BAD_DATA, nullptr, B_OK},
		{"truncated", RefItem(3, 1, "").substr(0, 11), B_BAD_DATA, nullptr, B_OK},
	};
	for (const RefItemCase& c : cases) {
		SCOPED_TRACE(c.name);
		BMessage message;
		ASSERT_EQ(message.AddData("refs", B_REF_TYPE, c.item.data(), c.item.size(), false), B_OK);
		entry_ref ref;
		ASSERT_EQ(message.FindRef("refs", &ref), c.status);
		if (c.status != B_OK)
			continue;
		if (c.leaf == nullptr)
			EXPECT_EQ(ref.name, nullptr);
		else
			EXPECT_STREQ(ref.name, c.leaf);
		EXPECT_EQ(BEntry(&ref).InitCheck(), c.open);
	}
}

} // namespace
