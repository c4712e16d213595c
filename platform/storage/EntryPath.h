#ifndef ENTRY_PATH_H
#define ENTRY_PATH_H

#include <sys/types.h>

#include <string>

#include <SupportDefs.h>

namespace BPrivate {

// An entry named by its directory's canonical absolute path and its leaf
// name; the root directory is "/" with the leaf ".".
struct EntryLocation {
	std::string directory;
	std::string leaf;
	dev_t device = 0;
	ino_t directoryInode = 0;

	std::string Path() const;
};

// Resolves path (absolute, or relative to the working directory): every
// symbolic link of its directory part, and of the leaf too when traverse is
// set. The leaf need not exist; its directory must: B_ENTRY_NOT_FOUND,
// B_NOT_A_DIRECTORY, B_NAME_TOO_LONG, B_LINK_LIMIT or the mapped errno
// otherwise. B_BAD_VALUE for a null or empty path.
status_t resolve_entry(const char* path, bool traverse, EntryLocation* location);

// Splits path at its last '/' (trailing slashes ignored) without touching the
// file system: "/a/b" gives "/a" and "b", "/" gives "/" and ".", "b" gives ""
// and "b".
void split_path(const std::string& path, std::string* directory, std::string* leaf);

// The inverse of split_path(): the leaf "." names the directory itself.
std::string join_path(const std::string& directory, const std::string& leaf);

// Creates path and its missing parents, new ones with mode; an existing
// directory is fine, anything else in the way gives B_NOT_A_DIRECTORY.
status_t create_directories(const std::string& path, mode_t mode);

} // namespace BPrivate

#endif // ENTRY_PATH_H
