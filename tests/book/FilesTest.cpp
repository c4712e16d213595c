#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <Entry.h>
#include <File.h>

#include "BookConstants.h"
#include "BookTestSupport.h"
#include "TestDirectory.h"
#include "ZIBFiles.h"
#include "ZIBook.h"

namespace {

const ZIBFrame kFrame = {10.5f, 20.0f, 300.0f, 400.25f};
const std::string kCurrentType = "application/x.vnd-vornak-zibfile";
// The stored attribute values: the type code in host (x86) order, then the data.
const std::string kTypeValue = std::string("SMIM") + kCurrentType + '\0';
const std::string kFrameValue =
	std::string("TCER") + std::string("\x00\x00\x28\x41", 4) + std::string("\x00\x00\xA0\x41", 4) +
	std::string("\x00\x00\x96\x43", 4) + std::string("\x00\x20\xC8\x43", 4);

std::string
Line(int first, int last)
{
	std::string line;
	for (int column = first; column <= last; column++)
		line += (column > first ? "\t" : "") + ("c" + std::to_string(column));
	return line + "\n";
}

Fields
Cells(int first, int last, int firstField)
{
	Fields fields(kFieldCount);
	for (int column = first; column <= last && firstField < kFieldCount; column++)
		fields[firstField++] = "c" + std::to_string(column);
	return fields;
}

class BookFile : public TestDirectory {
protected:
	entry_ref RefOf(const std::string& name)
	{
		entry_ref ref;
		EXPECT_EQ(get_ref_for_path(PathOf(name).c_str(), &ref), B_OK);
		return ref;
	}

	std::string Bytes(const std::string& name) { return ReadFile(PathOf(name)); }

	void SetType(const std::string& name, const std::string& value)
	{
		ASSERT_EQ(
			setxattr(PathOf(name).c_str(), "user.haiku.BEOS:TYPE", value.data(), value.size(), 0),
			0);
	}

	// The records of the file, read whole; reading it record by record must
	// give the same.
	std::vector<Fields> Open(const std::string& name)
	{
		ZIBook book(nullptr);
		entry_ref ref = RefOf(name);
		EXPECT_EQ(ZIBFiles::ReadBook(&ref, &book), B_OK);
		ExpectConsistentLinks(book);

		BFile file(&ref, B_READ_ONLY);
		bool current = ZIBFiles::IsCurrentLayout(&file);
		ZIBook single(nullptr);
		ABookRecord record;
		while (ZIBFiles::ReadOneRecord(&file, &record, current))
			AddRecords(single, {RecordFields(record)});
		EXPECT_EQ(Records(single), Records(book));
		return Records(book);
	}
};

TEST_F(BookFile, SavesLinesAndAttributesExactly)
{
	Fields bob(kFieldCount);
	bob[kNicknameField] = "bob";
	bob[kEmail1Field] = "bob@example.org";
	ZIBook book(nullptr);
	AddRecords(book, {bob, {}, Cells(0, 20, 0)});
	entry_ref ref = RefOf("book");
	ASSERT_EQ(ZIBFiles::WriteBook(&book, &ref, kFrame), B_OK);

	EXPECT_EQ(Bytes("book"), "bob" + std::string(15, '\t') + "bob@example.org" +
								 std::string(5, '\t') + "\n" + std::string(20, '\t') + "\n" +
								 Line(0, 20));
	EXPECT_EQ(Xattr(PathOf("book"), "user.haiku.BEOS:TYPE"), kTypeValue);
	EXPECT_EQ(Xattr(PathOf("book"), "user.haiku.ZIBWndwFrame"), kFrameValue);
	EXPECT_EQ(Listing(fPath), std::set<std::string>({"book", "runtime"}));

	ZIBook empty(nullptr);
	ASSERT_EQ(ZIBFiles::WriteBook(&empty, &ref, kFrame), B_OK);
	EXPECT_EQ(Bytes("book"), "");
	EXPECT_TRUE(Open("book").empty());
}

struct LayoutCase {
	const char* name;
	std::optional<std::string> type; // the stored attribute value
	std::string data;
	std::vector<Fields> records;
};

class Layout : public BookFile, public testing::WithParamInterface<LayoutCase> {};

TEST_P(Layout, ChosenByTypeOrFirstLine)
{
	WriteFile(PathOf("book"), GetParam().data);
	if (GetParam().type)
		SetType("book", *GetParam().type);
	EXPECT_EQ(Open("book"), GetParam().records);
	BEntry entry(PathOf("book").c_str());
	bool currentType = GetParam().type && GetParam().type->c_str() + 4 == kCurrentType;
	EXPECT_EQ(ZIBFiles::IsNickname(&entry), currentType);
}

const std::string k39(39, 'x');
const std::string kOlderType = "SMIMapplication/x.vnd-vornak-ziborigfile";

INSTANTIATE_TEST_SUITE_P(
	Files, Layout,
	testing::Values(
		LayoutCase{"CurrentType", kTypeValue, Line(0, 20), {Cells(0, 20, 0)}},
		LayoutCase{"CurrentTypeUnended", "SMIM" + kCurrentType, Line(0, 20), {Cells(0, 20, 0)}},
		LayoutCase{"CurrentTypeLongTail",
				   kTypeValue + std::string(300, 'x'),
				   Line(0, 20),
				   {Cells(0, 20, 0)}},
		LayoutCase{
			"NoType21Columns", {}, Line(0, 20) + Line(0, 1), {Cells(0, 20, 0), Cells(0, 1, 0)}},
		LayoutCase{
			"NoType20Columns", {}, Line(1, 20) + Line(1, 19), {Cells(1, 20, 1), Cells(1, 19, 1)}},
		LayoutCase{
			"NoTypeShortFirst", {}, Line(0, 3) + Line(0, 20), {Cells(0, 3, 0), Cells(0, 20, 0)}},
		LayoutCase{"NoType22Columns", {}, Line(0, 21), {Cells(0, 21, 1)}},
		LayoutCase{"OlderType21Columns", kOlderType, Line(0, 20), {Cells(0, 20, 1)}},
		LayoutCase{"OtherType21Columns", "SMIMtext/plain", Line(0, 20), {Cells(0, 20, 1)}},
		// Damaged files.
		LayoutCase{"ShortLine", kTypeValue, "a\tb\tc\n", Padded({{"a", "b", "c"}})},
		LayoutCase{"LongLine", kTypeValue, Line(0, 22), {Cells(0, 20, 0)}},
		LayoutCase{"LongFieldCutBeforeCharacter", kTypeValue, k39 + "\xC3\xA9tail\tz\n",
				   Padded({{k39, "z"}})},
		LayoutCase{"ZeroBytesSkipped", kTypeValue, std::string("a\0b\tc\n\0\0d\n", 10),
				   Padded({{"ab", "c"}, {"d"}})},
		LayoutCase{"LastLineWithoutLineFeed", kTypeValue, "a\tb\nc\td",
				   Padded({{"a", "b"}, {"c", "d"}})},
		LayoutCase{"LastLineEndsInTab", kTypeValue, "a\nb\t", Padded({{"a"}, {"b"}})},
		LayoutCase{"CarriageReturnsKept", kTypeValue, "a\r\tb\r\n", Padded({{"a\r", "b\r"}})},
		LayoutCase{"InvalidUtf8Kept", kTypeValue, "\xFF\xFE\tz\n", Padded({{"\xFF\xFE", "z"}})},
		LayoutCase{"EmptyLines", kTypeValue, "\n\na\n", Padded({{}, {}, {"a"}})},
		LayoutCase{"EmptyFile", kTypeValue, "", {}},
		LayoutCase{"OnlyZeroBytes", kTypeValue, std::string(3, '\0'), {}}),
	[](const auto& info) { return info.param.name; });

TEST_F(BookFile, ReadOnlyFileOpensWithAllRecords)
{
	WriteFile(PathOf("book"), "a\nb\n");
	SetType("book", kTypeValue);
	chmod(PathOf("book").c_str(), 0444);
	chmod(fPath.c_str(), 0755);
	entry_ref ref = RefOf("book");
	EXPECT_TRUE(AsOtherUser([&] {
		ZIBook book(nullptr);
		return ZIBFiles::ReadBook(&ref, &book) == B_OK && book.GetTotalRecordsInThisAB() == 2;
	}));
}

// A name in the test directory (empty: the directory itself) or an absolute path.
struct OddFile {
	const char* name;
	std::string path;
	status_t status;
};

class OddFileTest : public BookFile, public testing::WithParamInterface<OddFile> {};

TEST_P(OddFileTest, RefusedAtOnceWithTheBookUntouched)
{
	std::string path = GetParam().path[0] == '/' ? GetParam().path : PathOf(GetParam().path);
	if (GetParam().path == "fifo")
		mkfifo(path.c_str(), 0600);
	if (GetParam().path == "sparse") {
		WriteFile(path, "");
		truncate(path.c_str(), off_t(10) << 30);
	}
	ZIBook book(nullptr);
	AddRecords(book, {{"kept"}});
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(path.c_str(), &ref), B_OK);
	EXPECT_EQ(ZIBFiles::ReadBook(&ref, &book), GetParam().status);
	EXPECT_EQ(Records(book), Padded({{"kept"}}));
}

INSTANTIATE_TEST_SUITE_P(Files, OddFileTest,
						 testing::Values(OddFile{"Fifo", "fifo", kNotAFileError},
										 OddFile{"Zero", "/dev/zero", kNotAFileError},
										 OddFile{"Directory", "", B_IS_A_DIRECTORY},
										 OddFile{"SparseTenGigabytes", "sparse",
												 kBookTooLargeError}),
						 [](const auto& info) { return info.param.name; });

TEST_F(BookFile, RunningOutOfMemoryFailsTheOpenWithTheBookEmpty)
{
#if defined(__SANITIZE_ADDRESS__)
	GTEST_SKIP() << "the address sanitizer reserves more address space than the limit";
#endif
	// Ten million one-byte lines.
	std::string lines;
	for (int i = 0; i < 10000000; i++)
		lines += "x\n";
	WriteFile(PathOf("book"), lines);
	entry_ref ref = RefOf("book");
	pid_t child = fork();
	if (child == 0) {
		rlimit limit = {256 << 20, 256 << 20};
		setrlimit(RLIMIT_DATA, &limit);
		ZIBook book(nullptr);
		bool failed =
			ZIBFiles::ReadBook(&ref, &book) == B_NO_MEMORY && book.GetListOfRecords() == nullptr;
		_exit(failed ? 0 : 1);
	}
	int status = 0;
	waitpid(child, &status, 0);
	EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

TEST_F(BookFile, ReplacingFollowsLinks)
{
	WriteFile(PathOf("book"), "old\n");
	std::filesystem::create_directory(fPath / "links");
	std::filesystem::create_symlink("../book", fPath / "links" / "relative");
	std::filesystem::create_symlink(fPath / "links" / "relative", fPath / "absolute");
	ZIBook book(nullptr);
	AddRecords(book, {{"new"}});
	entry_ref ref = RefOf("absolute");
	ASSERT_EQ(ZIBFiles::WriteBook(&book, &ref, kFrame), B_OK);

	EXPECT_EQ(Bytes("book"), "new" + std::string(20, '\t') + "\n");
	EXPECT_TRUE(std::filesystem::is_symlink(fPath / "absolute"));
	EXPECT_TRUE(std::filesystem::is_symlink(fPath / "links" / "relative"));
	EXPECT_EQ(Listing(fPath), std::set<std::string>({"absolute", "book", "links", "runtime"}));
}

enum Cause { kMissingDirectory, kTargetIsDirectory, kDiskFull, kReadOnlyDirectory };

class SaveFailure : public BookFile, public testing::WithParamInterface<Cause> {};

TEST_P(SaveFailure, LeavesOldFileUntouched)
{
	std::filesystem::path directory = fPath / "dir";
	std::filesystem::create_directory(directory);
	WriteFile(PathOf("dir/book"), "old\n");
	entry_ref ref = RefOf("dir/book");
	ZIBook book(nullptr);
	AddRecords(book, std::vector<Fields>(200, Fields(kFieldCount, std::string(40, 'n'))));
	auto fails = [&] { return ZIBFiles::WriteBook(&book, &ref, kFrame) != B_OK; };
	rlimit saved;
	getrlimit(RLIMIT_FSIZE, &saved);
	rlimit small = {4096, saved.rlim_max};
	switch (GetParam()) {
		case kMissingDirectory:
			std::filesystem::remove_all(directory);
			EXPECT_TRUE(fails());
			EXPECT_EQ(Listing(fPath), std::set<std::string>({"runtime"}));
			return;
		case kTargetIsDirectory:
			std::filesystem::remove(directory / "book");
			std::filesystem::create_directory(directory / "book");
			EXPECT_TRUE(fails());
			EXPECT_TRUE(std::filesystem::is_empty(directory / "book"));
			break;
		case kDiskFull:
			// A file-size limit fails the writes as a full disk would.
			setrlimit(RLIMIT_FSIZE, &small);
			EXPECT_TRUE(fails());
			setrlimit(RLIMIT_FSIZE, &saved);
			EXPECT_EQ(Bytes("dir/book"), "old\n");
			break;
		case kReadOnlyDirectory:
			chmod(fPath.c_str(), 0755);
			chmod(directory.c_str(), 0555);
			EXPECT_TRUE(AsOtherUser(fails));
			chmod(directory.c_str(), 0755);
			EXPECT_EQ(Bytes("dir/book"), "old\n");
			break;
	}
	EXPECT_EQ(Listing(directory), std::set<std::string>({"book"}));
}

const char* const kCauseNames[] = {"MissingDirectory", "TargetIsDirectory", "DiskFull",
								   "ReadOnlyDirectory"};

INSTANTIATE_TEST_SUITE_P(Causes, SaveFailure,
						 testing::Values(kMissingDirectory, kTargetIsDirectory, kDiskFull,
										 kReadOnlyDirectory),
						 [](const auto& info) { return kCauseNames[info.param]; });

} // namespace
