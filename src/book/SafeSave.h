#ifndef SAFE_SAVE_H
#define SAFE_SAVE_H

#include <sys/types.h>

#include <functional>
#include <string>

#include <SupportDefs.h>

class BFile;
class BookTarget;

// Writes a new version of a file so that it keeps everything but its data
// and what the writer sets, and the old version stays whole until the new
// one is complete.
//
// Usually a temporary file beside the old one takes the data, the old
// file's extended attributes, owner, group and mode, is synced and renamed
// over it. When the file has other hard links, or its owner or group cannot
// be given to a new file, the file is saved in place instead: a synced copy
// of the old data beside it first, then the old file overwritten and
// synced, then the copy removed. A failure while overwriting leaves the copy
// (KeptCopy()).
//
// Every file is opened relative to the target's folder, without following
// links, and written through the descriptor that opened it. Not
// thread-safe.
class SafeSave final {
public:
	// Writes the data into the file it is given, at its start, and answers
	// a status.
	using Writer = std::function<status_t(BFile* file)>;

	explicit SafeSave(const BookTarget& target);

	// B_OK, or the first error: the file's own (kNotAFileError,
	// B_IS_A_DIRECTORY, kUnsafeLinkError when it became a link), the
	// writer's, or the system's.
	status_t Write(const Writer& writer);

	// The whole path of the copy of the old data that a failed in-place
	// save left; empty otherwise.
	const std::string& KeptCopy() const { return fKeptCopy; }

private:
	status_t _Replace(const struct stat& old, bool exists, const Writer& writer);
	status_t _Install(const std::string& name, const struct stat& written, bool exists);
	status_t _InPlace(const struct stat& old, const Writer& writer);
	status_t _Create(const char* kind, mode_t mode, int* fd, std::string* name);
	status_t _CopyAttributes(int fd);
	void _SyncDirectory();

	const BookTarget& fTarget;
	std::string fKeptCopy;
};

#endif // SAFE_SAVE_H
