#include <OS.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include <gtest/gtest.h>

TEST(NodeLock, ExclusiveUntilClosedAcrossProcesses)
{
	std::string path = testing::TempDir() + "nodelock.XXXXXX";
	int fd = mkstemp(path.data());
	ASSERT_GE(fd, 0);
	ASSERT_EQ(_klock_node_(fd), B_OK);

	pid_t child = fork();
	if (child == 0) {
		int other = open(path.c_str(), O_RDWR);
		_exit(_klock_node_(other) == B_BUSY ? 0 : 1);
	}
	int status = 0;
	waitpid(child, &status, 0);
	EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

	int second = open(path.c_str(), O_RDWR);
	EXPECT_EQ(_klock_node_(second), B_BUSY);
	close(fd);
	EXPECT_EQ(_klock_node_(second), B_OK);
	close(second);
	unlink(path.c_str());
}
