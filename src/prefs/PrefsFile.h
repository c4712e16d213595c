#ifndef PREFS_FILE_H
#define PREFS_FILE_H

#include <memory>

#include <SupportDefs.h>

class BMessage;

// The contents of a set file: an int32 byte count N in host order, then N
// bytes of flattened message. Bytes after them are ignored.

// Builds the whole contents for message. B_NO_MEMORY when it cannot be
// allocated or flattened.
status_t flatten_set_file(const BMessage& message, std::unique_ptr<char[]>* _contents,
						  size_t* _size);

// Writes contents at offset 0 without shortening the file: the write error,
// or B_IO_ERROR for a short write.
status_t write_set_file(int fd, const char* contents, size_t size);

// Reads the message of an open set file into the empty message. A file
// shorter than 4 bytes or than its count says leaves message empty (B_OK); a
// read error of the count is returned as it is; anything that cannot be read
// or parsed beyond that gives B_NO_MEMORY. Allocates no more than the file
// holds.
status_t read_set_file(int fd, BMessage* message);

#endif // PREFS_FILE_H
