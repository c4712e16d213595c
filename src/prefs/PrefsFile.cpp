#include "PrefsFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

#include <ErrnoStatus.h>
#include <Message.h>

static const size_t kCountSize = sizeof(int32);

status_t
flatten_set_file(const BMessage& message, std::unique_ptr<char[]>* _contents, size_t* _size)
{
	ssize_t flattenedSize = message.FlattenedSize();
	if (flattenedSize < 0 || flattenedSize > INT32_MAX)
		return B_NO_MEMORY;
	int32 count = static_cast<int32>(flattenedSize);
	size_t size = kCountSize + count;
	std::unique_ptr<char[]> contents(new (std::nothrow) char[size]);
	if (contents == nullptr)
		return B_NO_MEMORY;
	memcpy(contents.get(), &count, kCountSize);
	if (message.Flatten(contents.get() + kCountSize, count) != B_OK)
		return B_NO_MEMORY;
	*_contents = std::move(contents);
	*_size = size;
	return B_OK;
}

status_t
write_set_file(int fd, const char* contents, size_t size)
{
	// One write for count and message: nothing is written unless the whole
	// contents were built first.
	ssize_t written = pwrite(fd, contents, size, 0);
	if (written < 0)
		return BPrivate::status_for_errno(errno);
	return static_cast<size_t>(written) < size ? B_IO_ERROR : B_OK;
}

status_t
read_set_file(int fd, BMessage* message)
{
	int32 count;
	ssize_t bytesRead = pread(fd, &count, kCountSize, 0);
	if (bytesRead < 0)
		return BPrivate::status_for_errno(errno);
	if (static_cast<size_t>(bytesRead) < kCountSize)
		return B_OK;

	if (count < 0)
		return B_NO_MEMORY;
	// A count beyond the end of the file is a short read: checked before any
	// allocation, so a corrupt count costs no memory.
	struct stat info;
	if (fstat(fd, &info) != 0)
		return B_NO_MEMORY;
	if (count > info.st_size - static_cast<off_t>(kCountSize))
		return B_OK;

	std::unique_ptr<char[]> body(new (std::nothrow) char[count]);
	if (body == nullptr)
		return B_NO_MEMORY;
	bytesRead = pread(fd, body.get(), count, kCountSize);
	if (bytesRead < 0)
		return B_NO_MEMORY;
	if (bytesRead < count)
		return B_OK;
	return message->Unflatten(body.get(), count) == B_OK ? B_OK : B_NO_MEMORY;
}
