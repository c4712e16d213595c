#include <OS.h>

#include <fcntl.h>
#include <unistd.h>

#include <string>

#include <gtest/gtest.h>

// Another process is kept out as well: the preferences' race test proves
// that across processes.
TEST(NodeLock, ExclusiveUntilClosedEvenWithinOneProcess)
{
	std::string path = testing::TempDir() + "nodelock.XXXXXX";
	int fd = mkstemp(path.data());
	ASSERT_GE(fd, 0);
	ASSERT_EQ(_klock_node_(fd), B_OK);
	int second = open(path.c_str(), O_RDWR);
	EXPECT_EQ(_klock_node_(second), B_BUSY);
	close(fd);
	EXPECT_EQ(_klock_node_(second), B_OK);
	close(second);
	unlink(path.c_str());
}
