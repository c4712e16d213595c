#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include <Entry.h>

#include "BookConstants.h"
#include "BookTestSupport.h"
#include "TestDirectory.h"
#include "ZIBFiles.h"
#include "ZIBook.h"

namespace {

const ZIBFrame kFrame = {0, 0, 100, 100};
const std::string kNewLine = "new" + std::string(20, '\t') + "\n";

class SafeSaveTest : public TestDirectory {
protected:
	void SetUp() override
	{
		TestDirectory::SetUp();
		AddRecords(fBook, {{"new"}});
		fDir = fPath / "dir";
		std::filesystem::create_directory(fDir);
		// Others must reach the folder for the tests that act as them.
		chmod(fPath.c_str(), 0755);
		chmod(fDir.c_str(), 0777);
		WriteFile(At("book"), "old\n");
	}

	std::string At(const std::string& name) const { return (fDir / name).string(); }
	std::string Bytes(const std::string& name) const { return ReadFile(At(name)); }

	status_t Save(const std::string& name = "book", std::string* keptCopy = nullptr)
	{
		entry_ref ref;
		EXPECT_EQ(get_ref_for_path(At(name).c_str(), &ref), B_OK);
		return ZIBFiles::WriteBook(&fBook, &ref, kFrame, keptCopy);
	}

	struct stat Stat(const std::string& name) const
	{
		struct stat info = {};
		lstat(At(name).c_str(), &info);
		return info;
	}

	ZIBook fBook{nullptr};
	std::filesystem::path fDir;
};

TEST_F(SafeSaveTest, RenameSaveKeepsAttributesOwnerGroupAndMode)
{
	setxattr(At("book").c_str(), "user.xdg.comment", "note", 4, 0);
	setxattr(At("book").c_str(), "user.haiku.META:name", "RTSCbob", 7, 0);
	chmod(At("book").c_str(), 0640);
	bool otherOwner = geteuid() == 0 && chown(At("book").c_str(), kOtherUser, kOtherGroup) == 0;
	if (!otherOwner)
		std::cout << "note: not root, the book keeps this user as its owner\n";
	ino_t before = Stat("book").st_ino;

	ASSERT_EQ(Save(), B_OK);
	struct stat after = Stat("book");
	EXPECT_EQ(Bytes("book"), kNewLine);
	EXPECT_NE(after.st_ino, before);
	EXPECT_EQ(after.st_mode & 07777, 0640u);
	EXPECT_EQ(after.st_uid, otherOwner ? kOtherUser : geteuid());
	EXPECT_EQ(after.st_gid, otherOwner ? kOtherGroup : getegid());
	EXPECT_EQ(Xattr(At("book"), "user.xdg.comment"), "note");
	EXPECT_EQ(Xattr(At("book"), "user.haiku.META:name"), "RTSCbob");
	EXPECT_EQ(Listing(fDir), std::set<std::string>({"book"}));
}

TEST_F(SafeSaveTest, HardLinkedBookIsSavedInPlaceAndAFailureKeepsAWholeCopy)
{
	ASSERT_EQ(link(At("book").c_str(), At("other").c_str()), 0);
	setxattr(At("book").c_str(), "user.xdg.tags", "a", 1, 0);
	ino_t before = Stat("book").st_ino;
	ASSERT_EQ(Save(), B_OK);
	EXPECT_EQ(Stat("book").st_ino, before);
	EXPECT_EQ(Bytes("other"), kNewLine);
	EXPECT_EQ(Xattr(At("other"), "user.xdg.tags"), "a");
	EXPECT_EQ(Listing(fDir), std::set<std::string>({"book", "other"}));

	AddRecords(fBook, std::vector<Fields>(200, Fields(kFieldCount, std::string(40, 'n'))));
	std::string kept;
	pid_t child = fork();
	if (child == 0) {
		// With the default action, a write past the limit would end the process.
		signal(SIGXFSZ, SIG_DFL);
		rlimit small = {4096, 4096};
		setrlimit(RLIMIT_FSIZE, &small);
		status_t status = Save("book", &kept);
		std::ofstream(At("kept")) << kept;
		_exit(status == B_OK ? 1 : 0);
	}
	int status = 0;
	waitpid(child, &status, 0);
	ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
	kept = Bytes("kept");
	ASSERT_FALSE(kept.empty());
	EXPECT_EQ(ReadFile(kept), kNewLine);
}

TEST_F(SafeSaveTest, BookOfAnotherOwnerIsSavedInPlaceByItsWriter)
{
	if (geteuid() != 0)
		GTEST_SKIP() << "needs root to give the book another owner";
	// Root's book, which the other user may write but not give away.
	chmod(At("book").c_str(), 0666);
	ino_t before = Stat("book").st_ino;
	EXPECT_TRUE(AsOtherUser([&] { return Save() == B_OK; }));
	EXPECT_EQ(Stat("book").st_ino, before);
	EXPECT_EQ(Stat("book").st_uid, 0u);
	EXPECT_EQ(Bytes("book"), kNewLine);
	EXPECT_EQ(Listing(fDir), std::set<std::string>({"book"}));
}

TEST_F(SafeSaveTest, LinksInSharedFoldersAreFollowedOnlyAsTheKernelWould)
{
	if (geteuid() != 0)
		GTEST_SKIP() << "needs root to plant another user's link";
	std::filesystem::create_directory(fDir / "shared");
	chmod((fDir / "shared").c_str(), 01777);
	struct Case {
		const char* link;
		uid_t owner;
		mode_t folderMode;
		bool followed;
	} cases[] = {
		{"shared/planted", kOtherUser, 01777, false},
		{"shared/mine", 0, 01777, true},
		{"open/planted", kOtherUser, 0777, true},
	};
	std::filesystem::create_directory(fDir / "open");
	for (const Case& test : cases) {
		SCOPED_TRACE(test.link);
		chmod(At(test.link).substr(0, At(test.link).rfind('/')).c_str(), test.folderMode);
		WriteFile(At("book"), "old\n");
		std::filesystem::create_symlink(At("book"), At(test.link));
		ASSERT_EQ(lchown(At(test.link).c_str(), test.owner, test.owner), 0);
		EXPECT_EQ(Save(test.link), test.followed ? B_OK : kUnsafeLinkError);
		EXPECT_EQ(Bytes("book"), test.followed ? kNewLine : "old\n");
		EXPECT_TRUE(std::filesystem::is_symlink(At(test.link)));
	}
}

// Replaces every temporary file that appears in folder by a link to victim,
// until killed.
[[noreturn]] void
SwapTemporaries(const std::string& folder, const std::string& victim)
{
	for (;;) {
		DIR* directory = opendir(folder.c_str());
		while (const dirent* entry = directory != nullptr ? readdir(directory) : nullptr) {
			std::string name = folder + "/" + entry->d_name;
			if (strstr(entry->d_name, ".zibsave-") != nullptr && unlink(name.c_str()) == 0)
				symlink(victim.c_str(), name.c_str());
		}
		if (directory != nullptr)
			closedir(directory);
	}
}

TEST_F(SafeSaveTest, SwappedTemporaryFileNeverRedirectsTheSave)
{
	WriteFile(At("victim"), "victim\n");
	AddRecords(fBook, std::vector<Fields>(20000, Fields(kFieldCount, "x")));
	pid_t attacker = fork();
	if (attacker == 0)
		SwapTemporaries(fDir.string(), At("victim"));
	int refused = 0;
	for (int round = 0; round < 20; round++) {
		status_t status = Save();
		ASSERT_TRUE(status == B_OK || status == kUnsafeLinkError) << status;
		refused += status == kUnsafeLinkError;
	}
	kill(attacker, SIGKILL);
	waitpid(attacker, nullptr, 0);
	EXPECT_GT(refused, 0) << "the race was never won";
	EXPECT_EQ(Bytes("victim"), "victim\n");
	EXPECT_FALSE(std::filesystem::is_symlink(At("book")));
}

TEST_F(SafeSaveTest, TemporaryFilesOfAKilledSaveGoAtTheNextOpen)
{
	AddRecords(fBook, std::vector<Fields>(50000, Fields(kFieldCount, std::string(30, 'k'))));
	std::string oldest = Bytes("book");
	auto temporaries = [&] {
		int count = 0;
		for (const std::string& name : Listing(fDir))
			count += name.find(".zibsave-") != std::string::npos;
		return count;
	};
	for (int attempt = 0; attempt < 50 && temporaries() == 0; attempt++) {
		pid_t saver = fork();
		if (saver == 0) {
			for (;;)
				Save();
		}
		std::this_thread::sleep_for(std::chrono::milliseconds(30 + attempt));
		kill(saver, SIGKILL);
		waitpid(saver, nullptr, 0);
	}
	ASSERT_GT(temporaries(), 0) << "no save was caught in the act";
	// One of a process that still runs stays.
	std::string live = ".book.zibsave-" + std::to_string(getpid()) + "-00000000";
	WriteFile(At(live), "");

	ZIBook opened(nullptr);
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(At("book").c_str(), &ref), B_OK);
	ASSERT_EQ(ZIBFiles::ReadBook(&ref, &opened), B_OK);
	EXPECT_TRUE(opened.GetTotalRecordsInThisAB() == 1 ||
				opened.GetTotalRecordsInThisAB() == fBook.GetTotalRecordsInThisAB());
	EXPECT_EQ(Listing(fDir), std::set<std::string>({"book", live}));
}

} // namespace
