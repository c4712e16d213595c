#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include <gtest/gtest.h>

#include "RunningZibmo.h"
#include "TestDirectory.h"

namespace {

class ZibmoProcess : public TestDirectory {};

TEST_F(ZibmoProcess, TerminationQuitsAsTheUserWouldAndKeepsTheSettings)
{
	std::string book = PathOf("friends.zib");
	std::ofstream(book) << "bob\tBob\n";
	RunningZibmo zibmo(ZIBMO_PATH, {book});
	ASSERT_TRUE(zibmo.WaitReady());
	kill(zibmo.Pid(), SIGTERM);
	EXPECT_EQ(zibmo.WaitForExit(), 0);

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
	RunningZibmo zibmo(ZIBMO_PATH, {book});
	ASSERT_TRUE(zibmo.WaitReady(false));
	std::this_thread::sleep_for(std::chrono::milliseconds(500));
	kill(zibmo.Pid(), SIGTERM);
	std::this_thread::sleep_for(std::chrono::milliseconds(1000));
	int status = 0;
	EXPECT_EQ(waitpid(zibmo.Pid(), &status, WNOHANG), 0) << "ended with status " << status;
	kill(zibmo.Pid(), SIGKILL);
}

} // namespace
