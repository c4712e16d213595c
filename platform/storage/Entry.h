#ifndef ENTRY_H
#define ENTRY_H

#include <string>

#include <StorageDefs.h>
#include <SupportDefs.h>

#include "EntryPath.h"

class BDirectory;
class BMessage;
class BPath;
struct entry_ref;

namespace BPrivate {
// The absolute path that ref names, as it was when the ref was made, even
// when its directory is gone since; just the leaf for a ref without a
// directory path.
std::string entry_ref_path(const entry_ref* ref);
} // namespace BPrivate

// A named entry of a directory: the directory's device and inode and the
// leaf name, as on the platform. On Linux a ref also carries the absolute path
// of its directory, since a path is the only name that this or another
// process can resolve later. A ref without one (built from device, inode and
// name alone, or received in the platform's own flattened form) names nothing
// that can be opened: BEntry, BNode and BFile answer B_ENTRY_NOT_FOUND.
// Two refs are equal when device, directory and name are.
struct entry_ref {
	entry_ref();
	entry_ref(dev_t dev, ino_t dir, const char* name);
	entry_ref(const entry_ref& other);
	~entry_ref();

	// Copies name; B_NO_MEMORY when that fails.
	status_t set_name(const char* name);

	bool operator==(const entry_ref& other) const;
	bool operator!=(const entry_ref& other) const;
	entry_ref& operator=(const entry_ref& other);

	dev_t device;
	ino_t directory;
	char* name; // owned

private:
	friend class BEntry;
	friend class BMessage;
	friend std::string BPrivate::entry_ref_path(const entry_ref* ref);

	std::string fDirectoryPath;
};

// A location in the file system. The entry need not exist: a leaf that is yet
// to be created (a save target) is a valid entry, but its directory must
// exist (B_ENTRY_NOT_FOUND otherwise). Symbolic links in the directory part
// are always resolved; a link at the leaf is followed only with traverse.
// Not thread-safe.
class BEntry {
public:
	BEntry();
	BEntry(const BDirectory* dir, const char* path, bool traverse = false);
	BEntry(const entry_ref* ref, bool traverse = false);
	BEntry(const char* path, bool traverse = false);

	status_t InitCheck() const;
	// Whether something (a file, a directory, a link) exists at the entry.
	bool Exists() const;

	// path relative to dir, or absolute (dir is then ignored).
	status_t SetTo(const BDirectory* dir, const char* path, bool traverse = false);
	status_t SetTo(const entry_ref* ref, bool traverse = false);
	// path absolute, or relative to the working directory.
	status_t SetTo(const char* path, bool traverse = false);
	void Unset();

	// These answer the reason the entry is not set, if it is not.
	status_t GetRef(entry_ref* ref) const;
	status_t GetPath(BPath* path) const;

private:
	BPrivate::EntryLocation fLocation;
	status_t fCStatus;
};

// The ref of the entry at path; the leaf is not traversed. Thread-safe.
status_t get_ref_for_path(const char* path, entry_ref* ref);

#endif // ENTRY_H
