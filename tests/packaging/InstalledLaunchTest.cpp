#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include <AppDefs.h>
#include <Messenger.h>
#include <OS.h>

#include "PreferenceSet.h"
#include "Preferences.h"
#include "TestDirectory.h"

extern char** environ;

namespace {

const char kSignature[] = "application/x-vnd.vornak-zibmo";
const bigtime_t kPatience = 60000000;
const bigtime_t kPoll = 50000;

// Waits for the child to end; answers its wait status, or -1 after the
// time-out (the child is then killed).
int
wait_for_exit(pid_t pid)
{
	int status = 0;
	for (bigtime_t waited = 0; waited < kPatience; waited += kPoll) {
		if (waitpid(pid, &status, WNOHANG) == pid)
			return status;
		snooze(kPoll);
	}
	kill(pid, SIGKILL);
	waitpid(pid, &status, 0);
	return -1;
}

// The executable installed under a temporary prefix, started offscreen
// with a book on its command line, as a file manager would start it.
class InstalledLaunch : public TestDirectory {
protected:
	void SetUp() override
	{
		TestDirectory::SetUp();
		fPrefix = fPath / "prefix";
		std::string command = std::string("'") + ZIB_CMAKE_COMMAND + "' --install '" +
							  ZIB_BUILD_DIR + "' --component desktop --prefix '" +
							  fPrefix.string() + "' > /dev/null";
		ASSERT_EQ(system(command.c_str()), 0) << command;
		setenv("QT_QPA_PLATFORM", "offscreen", 1);
	}

	// Starts the installed program with one argument and answers its pid.
	pid_t Launch(const std::string& argument)
	{
		std::string program = (fPrefix / "bin" / "zibmo").string();
		char* argv[] = {program.data(), const_cast<char*>(argument.c_str()), nullptr};
		pid_t pid = -1;
		EXPECT_EQ(posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ), 0);
		return pid;
	}

	std::filesystem::path fPrefix;
};

TEST_F(InstalledLaunch, OpensTheFileItIsGivenAndQuitsOnRequest)
{
	// A name with a space, as the README's first start makes it.
	std::filesystem::path book = fPath / "Sample Address Book.zib";
	std::filesystem::copy_file(fPrefix / "share/larimo-addressbook/sample-address-book.zib", book);
	std::string before = ReadFile(book);

	pid_t pid = Launch(book.string());
	ASSERT_GT(pid, 0);
	bool reached = false;
	int status = 0;
	for (bigtime_t waited = 0; waited < kPatience && !reached; waited += kPoll) {
		reached = BMessenger(kSignature, pid).IsValid();
		if (!reached && waitpid(pid, &status, WNOHANG) == pid)
			FAIL() << "the program ended before it could be reached, status " << status;
		if (!reached)
			snooze(kPoll);
	}
	if (!reached) {
		wait_for_exit(pid);
		FAIL() << "the program never published its port";
	}
	// Queued behind the launch messages, so the book is open by then.
	EXPECT_EQ(BMessenger(kSignature, pid).SendMessage(B_QUIT_REQUESTED), B_OK);
	status = wait_for_exit(pid);
	ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
	EXPECT_EQ(WEXITSTATUS(status), 0);

	Preferences preferences("x-vnd.vornak-zibmo");
	ASSERT_EQ(preferences.InitCheck(), B_OK);
	PreferenceSet settings(preferences, "settings", true);
	ASSERT_EQ(settings.InitCheck(), B_OK);
	const void* data = nullptr;
	int32 size = 0;
	type_code type = 0;
	ASSERT_EQ(settings.GetData("LastFileSaved", data, size, type), B_OK);
	EXPECT_EQ(std::string(static_cast<const char*>(data)),
			  std::filesystem::canonical(book).string());
	EXPECT_EQ(ReadFile(book), before) << "opening changed the book";
}

} // namespace
