#ifndef FILE_H
#define FILE_H

#include <algorithm>
#include <cstring>
#include <memory>

#include <Node.h>

class BEntry;
class BFile;
struct entry_ref;

namespace BPrivate {
// Makes file the owner of fd, an open descriptor that path names, with the
// access of openMode (B_READ_ONLY, B_WRITE_ONLY or B_READ_WRITE). On
// failure fd is closed. Lets a caller that opened a file
// itself (relative to a directory, exclusively) write through BFile.
status_t file_adopt_descriptor(BFile* file, int fd, const char* path, uint32 openMode);
} // namespace BPrivate

// A file opened for reading and/or writing, following a symbolic link at the
// leaf. Reads and writes go through a buffer of the file's own, so callers
// that read or write a byte at a time make no system call per byte; reading
// after writing sees the bytes written.
//
// Written bytes reach the file when the buffer fills, on ReadAt(), SetSize(),
// Flush(), Sync() and Unset(). Because a write may fail only when the buffer
// is flushed, the first write error is kept: from then on Write(), Flush()
// and Sync() answer it, so a caller learns of a lost write from the Sync() or Flush() it
// ends with. Unset() and the destructor flush too but cannot report; call
// Flush() or Sync() first.
//
// Opening never blocks: a FIFO without a writer or a device that would wait
// opens at once (and reads then find no data).
//
// Not thread-safe. The descriptor is opened close-on-exec.
class BFile : public BNode {
public:
	BFile();
	BFile(const entry_ref* ref, uint32 openMode);
	BFile(const BEntry* entry, uint32 openMode);
	BFile(const char* path, uint32 openMode);
	~BFile() override;

	// openMode: B_READ_ONLY, B_WRITE_ONLY or B_READ_WRITE, with any of
	// B_CREATE_FILE (new files get mode 0666 less the umask), B_FAIL_IF_EXISTS
	// and B_ERASE_FILE (not with B_READ_ONLY: B_BAD_VALUE). A directory gives
	// B_IS_A_DIRECTORY.
	status_t SetTo(const entry_ref* ref, uint32 openMode);
	status_t SetTo(const BEntry* entry, uint32 openMode);
	status_t SetTo(const char* path, uint32 openMode);
	void Unset() override;

	bool IsReadable() const;
	bool IsWritable() const;

	// Bytes read (0 at the end of the file) or an error status; B_FILE_ERROR
	// when the file is not open for reading.
	ssize_t Read(void* buffer, size_t size);
	ssize_t ReadAt(off_t location, void* buffer, size_t size);
	// size or an error status; B_FILE_ERROR when the file is not open for
	// writing.
	ssize_t Write(const void* buffer, size_t size);

	off_t Position() const;
	// Sizes include bytes still in the buffer.
	status_t GetSize(off_t* size) const;
	status_t SetSize(off_t size);

	// Hands buffered bytes to the kernel.
	status_t Flush();
	// Flush(), then to the disk.
	status_t Sync() override;

private:
	friend status_t BPrivate::file_adopt_descriptor(BFile*, int, const char*, uint32);

	static constexpr size_t kBufferSize = 64 * 1024;

	status_t _SetTo(int fd, const char* path, uint32 openMode);

	ssize_t _Read(void* buffer, size_t size);
	ssize_t _Write(const void* buffer, size_t size);
	status_t _FlushBuffer();
	status_t _FillBuffer();
	void _DropBuffer();
	status_t _Fail(status_t error);

	// The buffer holds the file's bytes from fBufferOffset on: fBufferLength
	// of them are valid, fBufferIndex is the position within, and
	// [fDirtyStart, fDirtyEnd) are written but not yet flushed.
	std::unique_ptr<char[]> fBuffer;
	off_t fBufferOffset;
	size_t fBufferLength;
	size_t fBufferIndex;
	size_t fDirtyStart;
	size_t fDirtyEnd;
	status_t fWriteError;
	bool fReadable;
	bool fWritable;
	bool fBufferWrites; // writable, no write error
};

inline ssize_t
BFile::Read(void* buffer, size_t size)
{
	if (size == 1 && fReadable && fBufferIndex < fBufferLength && buffer != nullptr) {
		*static_cast<char*>(buffer) = fBuffer[fBufferIndex++];
		return 1;
	}
	return _Read(buffer, size);
}

inline ssize_t
BFile::Write(const void* buffer, size_t size)
{
	if (fBufferWrites && size <= kBufferSize - fBufferIndex && buffer != nullptr) {
		memcpy(fBuffer.get() + fBufferIndex, buffer, size);
		fDirtyStart = std::min(fDirtyStart, fBufferIndex);
		fBufferIndex += size;
		fDirtyEnd = std::max(fDirtyEnd, fBufferIndex);
		fBufferLength = std::max(fBufferLength, fBufferIndex);
		return size;
	}
	return _Write(buffer, size);
}

#endif // FILE_H
