#ifndef BOOK_TARGET_H
#define BOOK_TARGET_H

#include <string>

#include <SupportDefs.h>

// Where a book file lives: its folder, held open, and the file's leaf name
// there, found by following symbolic links only where the kernel's
// protected_symlinks rule would: a link in a folder that is both sticky and
// world-writable is followed only when it belongs to this user or to the
// folder's owner. Everything done to the file is then done relative to the
// folder descriptor, so renaming folders on the way changes nothing.
//
// Temporary files beside the book are named after it and after the process
// that made them (".<leaf>.zibsave-<pid>-<random>"), so that those of a
// process that is gone can be recognised and removed.
//
// Not thread-safe.
class BookTarget final {
public:
	BookTarget();
	~BookTarget();
	BookTarget(const BookTarget&) = delete;
	BookTarget& operator=(const BookTarget&) = delete;

	// Resolves path, which must be absolute. Answers kUnsafeLinkError for a
	// link the rule refuses, B_LINK_LIMIT for too many links, or the error
	// of opening the folder (B_ENTRY_NOT_FOUND when it is gone).
	status_t SetTo(const char* path);

	int Directory() const { return fDirectory; }
	const std::string& Leaf() const { return fLeaf; }
	// The whole path of the file, or of name in its folder.
	std::string Path() const { return PathOf(fLeaf); }
	std::string PathOf(const std::string& name) const;

	// A fresh name for a temporary file of kind ("zibsave" for a new
	// version of the book, "zibkeep" for a copy of the old one).
	std::string TemporaryName(const char* kind) const;

	// Removes the "zibsave" files of this book that belong to this user and
	// whose process is gone. A "zibkeep" copy is never removed: it may hold
	// the only whole version of the book.
	void RemoveStaleTemporaries() const;

private:
	std::string _Prefix(const char* kind) const;

	int fDirectory;
	std::string fDirectoryPath;
	std::string fLeaf;
};

#endif // BOOK_TARGET_H
