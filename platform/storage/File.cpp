#include "File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include <ErrnoStatus.h>

#include "Entry.h"
#include "Path.h"

namespace {

// pread() until size bytes or the end of the file; bytes read or a status.
ssize_t
read_fully(int fd, char* buffer, size_t size, off_t offset)
{
	size_t done = 0;
	while (done < size) {
		ssize_t count = pread(fd, buffer + done, size - done, offset + done);
		if (count < 0 && errno == EINTR)
			continue;
		if (count < 0)
			return done > 0 ? static_cast<ssize_t>(done) : BPrivate::status_for_errno(errno);
		if (count == 0)
			break;
		done += count;
	}
	return done;
}

// pwrite() all size bytes.
status_t
write_fully(int fd, const char* buffer, size_t size, off_t offset)
{
	size_t done = 0;
	while (done < size) {
		ssize_t count = pwrite(fd, buffer + done, size - done, offset + done);
		if (count < 0 && errno == EINTR)
			continue;
		if (count < 0)
			return BPrivate::status_for_errno(errno);
		if (count == 0)
			return B_IO_ERROR;
		done += count;
	}
	return B_OK;
}

const size_t kClean = static_cast<size_t>(-1);

} // namespace

BFile::BFile()
	: fBufferOffset(0), fBufferLength(0), fBufferIndex(0), fDirtyStart(kClean), fDirtyEnd(0),
	  fWriteError(B_OK), fReadable(false), fWritable(false), fBufferWrites(false)
{
}

BFile::BFile(const entry_ref* ref, uint32 openMode) : BFile()
{
	SetTo(ref, openMode);
}

BFile::BFile(const BEntry* entry, uint32 openMode) : BFile()
{
	SetTo(entry, openMode);
}

BFile::BFile(const char* path, uint32 openMode) : BFile()
{
	SetTo(path, openMode);
}

BFile::~BFile()
{
	BFile::Unset();
}

status_t
BFile::SetTo(const entry_ref* ref, uint32 openMode)
{
	BEntry entry(ref);
	return SetTo(&entry, openMode);
}

status_t
BFile::SetTo(const BEntry* entry, uint32 openMode)
{
	if (entry == nullptr) {
		Unset();
		return _SetStatus(B_BAD_VALUE);
	}
	BPath path;
	status_t status = entry->GetPath(&path);
	if (status != B_OK) {
		Unset();
		return _SetStatus(status);
	}
	return SetTo(path.Path(), openMode);
}

status_t
BFile::SetTo(const char* path, uint32 openMode)
{
	Unset();
	uint32 access = openMode & 3;
	if (path == nullptr || access == 3 || (access == B_READ_ONLY && (openMode & B_ERASE_FILE)))
		return _SetStatus(B_BAD_VALUE);

	int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
	flags |= access == B_READ_ONLY ? O_RDONLY : access == B_WRITE_ONLY ? O_WRONLY : O_RDWR;
	if (openMode & B_CREATE_FILE)
		flags |= O_CREAT;
	if (openMode & B_FAIL_IF_EXISTS)
		flags |= O_EXCL;
	if (openMode & B_ERASE_FILE)
		flags |= O_TRUNC;

	int fd;
	do
		fd = open(path, flags, 0666);
	while (fd < 0 && errno == EINTR);
	if (fd < 0)
		return _SetStatus(BPrivate::status_for_errno(errno));
	// Opened without blocking; reads and writes block as usual.
	fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
	return _SetTo(fd, path, openMode);
}

status_t
BFile::_SetTo(int fd, const char* path, uint32 openMode)
{
	struct stat info;
	status_t status = B_OK;
	if (fstat(fd, &info) != 0)
		status = BPrivate::status_for_errno(errno);
	else if (S_ISDIR(info.st_mode))
		status = B_IS_A_DIRECTORY;
	if (status != B_OK) {
		close(fd);
		return _SetStatus(status);
	}
	fBuffer.reset(new (std::nothrow) char[kBufferSize]);
	if (fBuffer == nullptr) {
		close(fd);
		return _SetStatus(B_NO_MEMORY);
	}

	uint32 access = openMode & 3;
	fReadable = access != B_WRITE_ONLY;
	fWritable = access != B_READ_ONLY;
	fBufferWrites = fWritable;
	fBufferOffset = 0;
	return _Adopt(fd, path);
}

status_t
BPrivate::file_adopt_descriptor(BFile* file, int fd, const char* path, uint32 openMode)
{
	file->Unset();
	if (fd < 0 || path == nullptr || (openMode & 3) == 3) {
		if (fd >= 0)
			close(fd);
		return file->_SetStatus(B_BAD_VALUE);
	}
	return file->_SetTo(fd, path, openMode);
}

void
BFile::Unset()
{
	if (_Descriptor() >= 0) {
		// Nobody is left to tell: callers that care call Flush() or Sync() first.
		_FlushBuffer();
	}
	BNode::Unset();
	fBuffer.reset();
	fBufferOffset = 0;
	fBufferLength = fBufferIndex = 0;
	fDirtyStart = kClean;
	fDirtyEnd = 0;
	fWriteError = B_OK;
	fReadable = fWritable = fBufferWrites = false;
}

bool
BFile::IsReadable() const
{
	return InitCheck() == B_OK && fReadable;
}

bool
BFile::IsWritable() const
{
	return InitCheck() == B_OK && fWritable;
}

ssize_t
BFile::ReadAt(off_t location, void* buffer, size_t size)
{
	if (!IsReadable())
		return B_FILE_ERROR;
	if (buffer == nullptr || location < 0)
		return B_BAD_VALUE;
	status_t status = _FlushBuffer();
	if (status != B_OK)
		return status;
	return read_fully(_Descriptor(), static_cast<char*>(buffer), size, location);
}

off_t
BFile::Position() const
{
	return fBufferOffset + fBufferIndex;
}

status_t
BFile::GetSize(off_t* size) const
{
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	if (size == nullptr)
		return B_BAD_VALUE;
	struct stat info;
	if (fstat(_Descriptor(), &info) != 0)
		return BPrivate::status_for_errno(errno);
	*size = info.st_size;
	if (fDirtyStart < fDirtyEnd)
		*size = std::max<off_t>(*size, fBufferOffset + fBufferLength);
	return B_OK;
}

status_t
BFile::SetSize(off_t size)
{
	if (!IsWritable())
		return B_FILE_ERROR;
	if (size < 0)
		return B_BAD_VALUE;
	status_t status = _FlushBuffer();
	if (status != B_OK)
		return status;
	_DropBuffer();
	return ftruncate(_Descriptor(), size) == 0 ? B_OK : BPrivate::status_for_errno(errno);
}

status_t
BFile::Flush()
{
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	status_t status = _FlushBuffer();
	return status != B_OK ? status : fWriteError;
}

status_t
BFile::Sync()
{
	status_t status = Flush();
	return status == B_OK ? BNode::Sync() : status;
}

ssize_t
BFile::_Read(void* buffer, size_t size)
{
	if (!IsReadable())
		return B_FILE_ERROR;
	if (buffer == nullptr)
		return B_BAD_VALUE;
	char* out = static_cast<char*>(buffer);
	size_t done = 0;
	while (done < size) {
		if (fBufferIndex < fBufferLength) {
			size_t count = std::min(size - done, fBufferLength - fBufferIndex);
			memcpy(out + done, fBuffer.get() + fBufferIndex, count);
			fBufferIndex += count;
			done += count;
			continue;
		}
		if (size - done >= kBufferSize) {
			// Too large to be worth buffering: straight into the caller's buffer.
			status_t status = _FlushBuffer();
			if (status != B_OK)
				return done > 0 ? static_cast<ssize_t>(done) : status;
			_DropBuffer();
			ssize_t count = read_fully(_Descriptor(), out + done, size - done, Position());
			if (count < 0)
				return done > 0 ? static_cast<ssize_t>(done) : count;
			fBufferOffset += count;
			return done + count;
		}
		status_t status = _FillBuffer();
		if (status != B_OK)
			return done > 0 ? static_cast<ssize_t>(done) : status;
		if (fBufferLength == 0)
			break;
	}
	return done;
}

ssize_t
BFile::_Write(const void* buffer, size_t size)
{
	if (!IsWritable())
		return B_FILE_ERROR;
	if (fWriteError != B_OK)
		return fWriteError;
	if (buffer == nullptr)
		return B_BAD_VALUE;

	// The buffer is full: flush it and start again at the current position.
	status_t status = _FlushBuffer();
	if (status != B_OK)
		return status;
	_DropBuffer();
	if (size < kBufferSize)
		return Write(buffer, size);
	status = write_fully(_Descriptor(), static_cast<const char*>(buffer), size, Position());
	if (status != B_OK)
		return _Fail(status);
	fBufferOffset += size;
	return size;
}

// Writes the unflushed bytes; on failure they are dropped and the error kept.
status_t
BFile::_FlushBuffer()
{
	if (fDirtyStart >= fDirtyEnd) {
		// An empty write leaves an empty range that must not grow later.
		fDirtyStart = kClean;
		fDirtyEnd = 0;
		return B_OK;
	}
	status_t status = write_fully(_Descriptor(), fBuffer.get() + fDirtyStart,
								  fDirtyEnd - fDirtyStart, fBufferOffset + fDirtyStart);
	fDirtyStart = kClean;
	fDirtyEnd = 0;
	if (status != B_OK) {
		_DropBuffer();
		return _Fail(status);
	}
	return B_OK;
}

// Loads the buffer with the bytes from the current position on.
status_t
BFile::_FillBuffer()
{
	status_t status = _FlushBuffer();
	if (status != B_OK)
		return status;
	off_t position = Position();
	ssize_t count = read_fully(_Descriptor(), fBuffer.get(), kBufferSize, position);
	if (count < 0)
		return count;
	fBufferOffset = position;
	fBufferLength = count;
	fBufferIndex = 0;
	return B_OK;
}

// Empties the buffer, keeping the position. Only for a flushed buffer.
void
BFile::_DropBuffer()
{
	fBufferOffset = Position();
	fBufferLength = fBufferIndex = 0;
	fDirtyStart = kClean;
	fDirtyEnd = 0;
}

// Keeps the first write error: later writes and flushes answer it.
status_t
BFile::_Fail(status_t error)
{
	if (fWriteError == B_OK)
		fWriteError = error;
	fBufferWrites = false;
	return error;
}
