#ifndef STORAGE_DEFS_H
#define STORAGE_DEFS_H

#include <stdio.h>

#include <SupportDefs.h>

// Limits, including the terminating NUL.
#define B_FILE_NAME_LENGTH 256
#define B_PATH_NAME_LENGTH 1024
#define B_ATTR_NAME_LENGTH 256

// BFile open modes: one access mode, or-ed with any of the flags.
enum {
	B_READ_ONLY = 0,
	B_WRITE_ONLY = 1,
	B_READ_WRITE = 2,

	B_FAIL_IF_EXISTS = 0x0100,
	B_CREATE_FILE = 0x0200,
	B_ERASE_FILE = 0x0400,
};

#endif // STORAGE_DEFS_H
