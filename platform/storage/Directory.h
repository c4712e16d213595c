#ifndef DIRECTORY_H
#define DIRECTORY_H

#include <Node.h>

class BEntry;
struct entry_ref;

// An existing directory. Setting it follows a symbolic link at the leaf;
// B_ENTRY_NOT_FOUND when there is none, B_NOT_A_DIRECTORY when the entry is
// something else. Not thread-safe.
class BDirectory : public BNode {
public:
	BDirectory();
	BDirectory(const entry_ref* ref);
	BDirectory(const char* path);

	status_t SetTo(const entry_ref* ref);
	status_t SetTo(const char* path);

	status_t GetEntry(BEntry* entry) const;

private:
	status_t _SetTo(const BEntry& entry);
};

#endif // DIRECTORY_H
