#ifndef FS_INDEX_H
#define FS_INDEX_H

#include <sys/types.h>

#include <ctime>

#include <SupportDefs.h>

// Linux file systems keep no attribute indexes: these calls keep a registry
// of index names per volume in the user's data directory
// ($XDG_DATA_HOME/larimo-platform/indexes/<device>/), so that an index
// created once is found again. They answer B_OK or an error status and are
// safe to call from several threads and processes at once.

typedef struct index_info {
	uint32 type;
	off_t size;
	time_t modification_time;
	time_t creation_time;
	uid_t uid;
	gid_t gid;
} index_info;

// B_FILE_EXISTS when the volume has the index already. The flags are ignored.
status_t fs_create_index(dev_t device, const char* name, uint32 type, uint32 flags);
// B_ENTRY_NOT_FOUND when the volume has no such index.
status_t fs_stat_index(dev_t device, const char* name, index_info* indexInfo);

#endif // FS_INDEX_H
