#ifndef PREFS_PATH_H
#define PREFS_PATH_H

#include <string>

#include <SupportDefs.h>

// The file path of a set:
// <settings>/_LP_<application>[/(libprefs common)]/<set name>. Creates the
// application's directories and the subdirectories a set name with '/'
// names, not the set file. PREF_ERR_NAME_TOO_LONG when the path would not fit
// in B_PATH_NAME_LENGTH bytes, B_NOT_A_DIRECTORY when a file is in the way,
// B_ENTRY_NOT_FOUND when a directory cannot be created, or the status of
// find_directory(). Directories made before a failure stay.
status_t build_set_path(const char* application, const char* setName, bool user,
						std::string* _path);

#endif // PREFS_PATH_H
