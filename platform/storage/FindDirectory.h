#ifndef FIND_DIRECTORY_H
#define FIND_DIRECTORY_H

#include <SupportDefs.h>

class BPath;
class BVolume;

typedef enum {
	B_COMMON_SETTINGS_DIRECTORY = 2010,
	B_USER_SETTINGS_DIRECTORY = 3006,
} directory_which;

// Both settings directories are $XDG_CONFIG_HOME, or ~/.config when that is
// unset, empty or not absolute; they were one folder on the platform too.
// With createIt, missing directories are made (new ones with mode 0700);
// without it the path is answered whether it exists or not. The volume is
// ignored. B_BAD_VALUE for another directory_which.
// Thread-safe, as long as nobody changes the environment meanwhile.
status_t find_directory(directory_which which, BPath* path, bool createIt = false,
						BVolume* volume = nullptr);

#endif // FIND_DIRECTORY_H
