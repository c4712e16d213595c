#include "RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "ErrnoStatus.h"

namespace BPrivate {

status_t
open_regular_file(const char* path, int flags, mode_t mode, int* _fd)
{
	int fd;
	do
		fd = open(path, flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, mode);
	while (fd < 0 && errno == EINTR);
	if (fd < 0)
		return status_for_errno(errno);
	struct stat info;
	status_t status = B_OK;
	if (fstat(fd, &info) != 0)
		status = status_for_errno(errno);
	else if (S_ISDIR(info.st_mode))
		status = B_IS_A_DIRECTORY;
	else if (!S_ISREG(info.st_mode))
		status = B_BAD_TYPE;
	else if (fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
		status = status_for_errno(errno);
	if (status != B_OK) {
		close(fd);
		return status;
	}
	*_fd = fd;
	return B_OK;
}

} // namespace BPrivate
