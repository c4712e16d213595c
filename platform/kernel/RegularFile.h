#ifndef REGULAR_FILE_H
#define REGULAR_FILE_H

#include <sys/types.h>

#include <SupportDefs.h>

namespace BPrivate {

// Opens path like open(2) with flags and mode, never blocking (a FIFO or a
// device would wait in open() or in every read), and only when it is a
// regular file: B_BAD_TYPE for anything else, B_IS_A_DIRECTORY for a
// directory, else the mapped errno. On success *fd is an open, blocking,
// close-on-exec descriptor the caller owns.
status_t open_regular_file(const char* path, int flags, mode_t mode, int* fd);

} // namespace BPrivate

#endif // REGULAR_FILE_H
