#include <sys/xattr.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <File.h>
#include <Node.h>
#include <TypeConstants.h>

#include "TestDirectory.h"

namespace {

std::string
Bytes(std::initializer_list<int> bytes)
{
	return std::string(bytes.begin(), bytes.end());
}

class Attribute : public TestDirectory {
protected:
	void SetUp() override
	{
		TestDirectory::SetUp();
		fFile = PathOf("book");
		std::ofstream(fFile) << "data";
	}

	std::string fFile;
};

struct StoredCase {
	const char* name;
	type_code type;
	std::string data;
	const char* xattr;
	std::string stored;
};

TEST_F(Attribute, StoredAsTypeCodeThenDataUnderEscapedName)
{
	const StoredCase cases[] = {
		{"META:name", B_STRING_TYPE, std::string("bob", 4), "user.haiku.META:name",
		 Bytes({0x52, 0x54, 0x53, 0x43, 'b', 'o', 'b', 0})},
		{"ZIBWndwFrame", B_RECT_TYPE, Bytes({0, 0, 0xa0, 0x41}), "user.haiku.ZIBWndwFrame",
		 Bytes({0x54, 0x43, 0x45, 0x52, 0, 0, 0xa0, 0x41})},
		{"dir/50%", B_INT32_TYPE, Bytes({2, 0, 0, 0}), "user.haiku.dir%\\50%%",
		 Bytes({0x47, 0x4e, 0x4f, 0x4c, 2, 0, 0, 0})},
		{"empty", B_RAW_TYPE, "", "user.haiku.empty", Bytes({0x54, 0x57, 0x41, 0x52})},
		// Also mirrored, without its NUL, into the desktop's MIME type.
		{"BEOS:TYPE", B_MIME_STRING_TYPE, std::string("text/x-zib", 11), "user.haiku.BEOS:TYPE",
		 Bytes({0x53, 0x4d, 0x49, 0x4d}) + std::string("text/x-zib", 11)},
	};
	BNode node(fFile.c_str());
	ASSERT_EQ(node.InitCheck(), B_OK);
	for (const StoredCase& c : cases) {
		SCOPED_TRACE(c.name);
		EXPECT_EQ(node.WriteAttr(c.name, c.type, 0, c.data.data(), c.data.size()),
				  static_cast<ssize_t>(c.data.size()));
		EXPECT_EQ(Xattr(fFile, c.xattr), c.stored);

		attr_info info;
		ASSERT_EQ(node.GetAttrInfo(c.name, &info), B_OK);
		EXPECT_EQ(info.type, c.type);
		EXPECT_EQ(info.size, static_cast<off_t>(c.data.size()));
		std::string back(c.data.size() + 8, '?');
		ASSERT_EQ(node.ReadAttr(c.name, c.type, 0, back.data(), back.size()),
				  static_cast<ssize_t>(c.data.size()));
		EXPECT_EQ(back.substr(0, c.data.size()), c.data);
	}
	EXPECT_EQ(Xattr(fFile, "user.mime_type"), "text/x-zib");
}

TEST_F(Attribute, FailuresAreStatuses)
{
	BNode node(fFile.c_str());
	ASSERT_EQ(setxattr(fFile.c_str(), "user.haiku.short", "ab", 2, 0), 0);
	char buffer[64];
	attr_info info;
	std::vector<char> big(40961);

	EXPECT_EQ(node.ReadAttr("missing", B_RAW_TYPE, 0, buffer, sizeof(buffer)), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(node.GetAttrInfo("missing", &info), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(node.ReadAttr("short", B_RAW_TYPE, 0, buffer, sizeof(buffer)), B_BAD_DATA);
	EXPECT_EQ(node.WriteAttr("big", B_RAW_TYPE, 0, big.data(), big.size()), B_BAD_VALUE);
	EXPECT_EQ(node.WriteAttr("big", B_RAW_TYPE, 40960, "x", 1), B_BAD_VALUE);
	EXPECT_EQ(node.WriteAttr("", B_RAW_TYPE, 0, "x", 1), B_BAD_VALUE);
	EXPECT_EQ(node.WriteAttr(std::string(256, 'n').c_str(), B_RAW_TYPE, 0, "x", 1),
			  B_NAME_TOO_LONG);
	EXPECT_EQ(node.ReadAttr("x", B_RAW_TYPE, -1, buffer, 1), B_BAD_VALUE);
	EXPECT_EQ(Xattr(fFile, "user.haiku.big"), "<missing>");

	BNode noAttributes("/proc/self/comm");
	ASSERT_EQ(noAttributes.InitCheck(), B_OK);
	EXPECT_EQ(noAttributes.WriteAttr("a", B_RAW_TYPE, 0, "x", 1), B_UNSUPPORTED);

	EXPECT_EQ(BNode(PathOf("nothing").c_str()).InitCheck(), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(BNode().WriteAttr("a", B_RAW_TYPE, 0, "x", 1), B_NO_INIT);
}

TEST_F(Attribute, NodeOnSymlinkIsTheLinkItself)
{
	std::string link = PathOf("link");
	ASSERT_EQ(symlink(fFile.c_str(), link.c_str()), 0);
	BNode node(link.c_str());
	ASSERT_EQ(node.InitCheck(), B_OK);

	const char type[] = "text/plain";
	EXPECT_EQ(node.WriteAttr("BEOS:TYPE", B_MIME_STRING_TYPE, 0, type, sizeof(type)),
			  static_cast<ssize_t>(sizeof(type)));
	EXPECT_LT(node.WriteAttr("META:name", B_STRING_TYPE, 0, "bob", 4), 0);
	char buffer[16];
	EXPECT_EQ(node.ReadAttr("BEOS:TYPE", B_MIME_STRING_TYPE, 0, buffer, sizeof(buffer)),
			  B_ENTRY_NOT_FOUND);
	EXPECT_EQ(Xattr(fFile, "user.haiku.BEOS:TYPE"), "<missing>");

	// A file opened through the link is the target.
	BFile file(link.c_str(), B_WRITE_ONLY);
	ASSERT_EQ(file.WriteAttr("META:name", B_STRING_TYPE, 0, "bob", 4), 4);
	EXPECT_EQ(Xattr(fFile, "user.haiku.META:name"),
			  Bytes({0x52, 0x54, 0x53, 0x43, 'b', 'o', 'b', 0}));
}

} // namespace
