#include "ErrnoStatus.h"

#include <cerrno>
#include <cstring>

namespace BPrivate {

namespace {

struct Mapping {
	int error;
	status_t status;
};

const Mapping kMappings[] = {
	{ENOMEM, B_NO_MEMORY},
	{EIO, B_IO_ERROR},
	{EACCES, B_PERMISSION_DENIED},
	{EPERM, B_NOT_ALLOWED},
	{EINVAL, B_BAD_VALUE},
	{ETIMEDOUT, B_TIMED_OUT},
	{EINTR, B_INTERRUPTED},
	{EAGAIN, B_WOULD_BLOCK},
	{ECANCELED, B_CANCELED},
	{EBUSY, B_BUSY},
	{EEXIST, B_FILE_EXISTS},
	{ENOENT, B_ENTRY_NOT_FOUND},
	{ENAMETOOLONG, B_NAME_TOO_LONG},
	{ENOTDIR, B_NOT_A_DIRECTORY},
	{ENOTEMPTY, B_DIRECTORY_NOT_EMPTY},
	{ENOSPC, B_DEVICE_FULL},
	{EDQUOT, B_DEVICE_FULL},
	{EROFS, B_READ_ONLY_DEVICE},
	{EISDIR, B_IS_A_DIRECTORY},
	{EMFILE, B_NO_MORE_FDS},
	{EXDEV, B_CROSS_DEVICE_LINK},
	{ELOOP, B_LINK_LIMIT},
	{EPIPE, B_BUSTED_PIPE},
	{ENOTSUP, B_UNSUPPORTED},
	{EBADF, B_FILE_ERROR},
};

} // namespace

status_t
status_for_errno(int error)
{
	if (error == 0)
		return B_OK;
	for (const Mapping& mapping : kMappings) {
		if (mapping.error == error)
			return mapping.status;
	}
	return B_POSIX_ERROR_BASE + error;
}

int
errno_for_status(status_t status)
{
	if (status == B_OK)
		return 0;
	for (const Mapping& mapping : kMappings) {
		if (mapping.status == status)
			return mapping.error;
	}
	if (status > B_POSIX_ERROR_BASE && status < B_POSIX_ERROR_BASE + 0x1000)
		return status - B_POSIX_ERROR_BASE;
	return -1;
}

const char*
status_text(status_t status)
{
	switch (status) {
		case B_OK:
			return "No error";
		case B_ERROR:
			return "General error";
		case B_BAD_TYPE:
			return "Bad type";
		case B_BAD_INDEX:
			return "Index not in range for the data set";
		case B_NAME_NOT_FOUND:
			return "Name not found";
		case B_NO_INIT:
			return "Object not initialized";
		case B_BAD_SEM_ID:
			return "Bad semaphore ID";
		case B_BAD_PORT_ID:
			return "Bad port ID";
		case B_BAD_SCRIPT_SYNTAX:
			return "Bad script syntax";
		case B_NOT_A_MESSAGE:
			return "Invalid or corrupted message";
		case B_BAD_DATA:
			return "Bad data";
	}
	int error = errno_for_status(status);
	if (error > 0)
		return strerror(error);
	return "Unknown error";
}

} // namespace BPrivate
