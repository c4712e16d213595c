#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include <gtest/gtest.h>

#include "TestDirectory.h"

extern char** environ;

namespace {

// The running program, started on a file in a home of its own.
class ZibmoProcess : public TestDirectory {
protected:
	pid_t Start(const std::string& file)
	{
		setenv("QT_QPA_PLATFORM", "offscreen", 1);
		const char* argv[] = {ZIBMO_PATH, file.c_str(), nullptr};
		pid_t pid = -1;
		EXPECT_EQ(
			posix_spawn(&pid, ZIBMO_PATH, nullptr, nullptr, const_cast<char**>(argv), environ), 0);
		return pid;
	}

	// Waits until the program has published its port, so it is running.
	bool WaitUntilReachable(pid_t pid)
	{
		for (int i = 0; i < 500; i++) {
			std::error_code error;
			for (const auto& entry :
				 std::filesystem::directory_iterator(PathOf("runtime/larimo-ports"), error)) {
				if (entry.path().string().find("@" + std::to_string(pid)) != std::string::npos)
					return true;
			}
			std::this_thread::sleep_for(std::chrono::milliseconds(20));
		}
		return false;
	}

	int WaitForExit(pid_t pid)
	{
		for (int i = 0; i < 500; i++) {
			int status = 0;
			if (waitpid(pid, &status, WNOHANG) == pid)
				return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
			std::this_thread::sleep_for(std::chrono::milliseconds(20));
		}
		kill(pid, SIGKILL);
		waitpid(pid, nullptr, 0);
		return -1;
	}
};

} // namespace

TEST_F(ZibmoProcess, TerminationQuitsAsTheUserWouldAndKeepsTheSettings)
{
	std::string book = PathOf("friends.zib");
	std::ofstream(book) << "bob\tBob\n";
	pid_t pid = Start(book);
	ASSERT_TRUE(WaitUntilReachable(pid));
	kill(pid, SIGTERM);
	EXPECT_EQ(WaitForExit(pid), 0);

	EXPECT_NE(ReadFile(PathOf("config/_LP_x-vnd.vornak-zibmo/settings")).find(book),
			  std::string::npos)
		<< "the opened file is the last file saved";
	EXPECT_EQ(ReadFile(book), "bob\tBob\n");
}

// A quit request that comes while the "Could not open" alert stands waits
// until the alert is gone: it does not delete the window the open still
// uses (the sanitizer build would report that).
TEST_F(ZibmoProcess, TerminationWaitsForTheOpenAlert)
{
	// A directory in place of the book cannot be read, even by root.
	std::string book = PathOf("unreadable.zib");
	ASSERT_TRUE(std::filesystem::create_directory(book));
	pid_t pid = Start(book);
	ASSERT_TRUE(WaitUntilReachable(pid));
	std::this_thread::sleep_for(std::chrono::milliseconds(500));
	kill(pid, SIGTERM);
	std::this_thread::sleep_for(std::chrono::milliseconds(1000));
	int status = 0;
	EXPECT_EQ(waitpid(pid, &status, WNOHANG), 0) << "ended with status " << status;
	kill(pid, SIGKILL);
	waitpid(pid, nullptr, 0);
}
