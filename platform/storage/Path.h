#ifndef PATH_H
#define PATH_H

#include <string>

#include <StorageDefs.h>
#include <SupportDefs.h>

class BEntry;
struct entry_ref;

// An absolute path name. Setting a path that is relative, or that holds "."
// or ".." components, "//" or a trailing '/', normalizes it, as does the
// normalize flag: symbolic links in the directory part are resolved and that
// directory must exist (B_ENTRY_NOT_FOUND otherwise); the leaf is kept.
// Other paths are taken as they stand, without touching the file system.
// Not thread-safe.
class BPath {
public:
	// Without dir the path is unset (B_NO_INIT).
	BPath(const char* dir = nullptr, const char* leaf = nullptr, bool normalize = false);
	BPath(const entry_ref* ref);
	BPath(const BEntry* entry);

	status_t InitCheck() const;

	// leaf must be relative (B_BAD_VALUE otherwise); it is appended to dir.
	status_t SetTo(const char* dir, const char* leaf = nullptr, bool normalize = false);
	status_t SetTo(const entry_ref* ref);
	status_t SetTo(const BEntry* entry);
	void Unset();

	status_t Append(const char* path, bool normalize = false);

	// nullptr while unset.
	const char* Path() const;
	// The last component; "" for the root directory, nullptr while unset.
	const char* Leaf() const;
	// B_ENTRY_NOT_FOUND for the root directory.
	status_t GetParent(BPath* path) const;

private:
	std::string fPath;
	status_t fCStatus;
};

#endif // PATH_H
