#include "SafeSave.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <new>

#include <ErrnoStatus.h>
#include <File.h>

#include "BookConstants.h"
#include "BookTarget.h"

namespace {

status_t
ErrnoStatus()
{
	return BPrivate::status_for_errno(errno);
}

bool
SameNode(const struct stat& a, const struct stat& b)
{
	return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Copies the bytes of from into to, both from their start.
status_t
CopyData(int from, int to)
{
	std::unique_ptr<char[]> buffer(new (std::nothrow) char[64 * 1024]);
	if (buffer == nullptr)
		return B_NO_MEMORY;
	off_t offset = 0;
	for (;;) {
		ssize_t count = pread(from, buffer.get(), 64 * 1024, offset);
		if (count < 0 && errno == EINTR)
			continue;
		if (count < 0)
			return ErrnoStatus();
		if (count == 0)
			return B_OK;
		for (ssize_t done = 0; done < count;) {
			ssize_t written = pwrite(to, buffer.get() + done, count - done, offset + done);
			if (written < 0 && errno != EINTR)
				return ErrnoStatus();
			done += written > 0 ? written : 0;
		}
		offset += count;
	}
}

} // namespace

SafeSave::SafeSave(const BookTarget& target) : fTarget(target)
{
}

status_t
SafeSave::Write(const Writer& writer)
{
	fKeptCopy.clear();
	if (fTarget.Directory() < 0)
		return B_NO_INIT;
	struct stat old;
	bool exists =
		fstatat(fTarget.Directory(), fTarget.Leaf().c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
	if (!exists && errno != ENOENT)
		return ErrnoStatus();
	if (exists && S_ISLNK(old.st_mode))
		return kUnsafeLinkError;
	if (exists && S_ISDIR(old.st_mode))
		return B_IS_A_DIRECTORY;
	if (exists && !S_ISREG(old.st_mode))
		return kNotAFileError;

	fTarget.RemoveStaleTemporaries();
	if (exists && old.st_nlink > 1)
		return _InPlace(old, writer);
	return _Replace(old, exists, writer);
}

status_t
SafeSave::_Replace(const struct stat& old, bool exists, const Writer& writer)
{
	int fd;
	std::string name;
	// Private while it is written; it gets the old file's mode at the end.
	status_t status = _Create("zibsave", exists ? 0600 : 0666, &fd, &name);
	if (status != B_OK)
		return status;
	struct stat created;
	fstat(fd, &created);
	if (exists && (created.st_uid != old.st_uid || created.st_gid != old.st_gid) &&
		fchown(fd, old.st_uid, old.st_gid) != 0) {
		close(fd);
		unlinkat(fTarget.Directory(), name.c_str(), 0);
		return _InPlace(old, writer);
	}

	BFile file;
	status = BPrivate::file_adopt_descriptor(&file, fd, fTarget.PathOf(name).c_str(), B_WRITE_ONLY);
	if (status == B_OK && exists)
		status = _CopyAttributes(fd);
	if (status == B_OK)
		status = writer(&file);
	// After fchown(), which may clear the set-id bits.
	if (status == B_OK && exists && fchmod(fd, old.st_mode & 07777) != 0)
		status = ErrnoStatus();
	if (status == B_OK)
		status = file.Sync();
	// The name must still be the file written: in a folder others may write
	// to, someone could have put something else there.
	struct stat named;
	if (status == B_OK &&
		(fstatat(fTarget.Directory(), name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 ||
		 !SameNode(named, created)))
		status = kUnsafeLinkError;
	if (status == B_OK)
		status = _Install(name, created, exists);
	file.Unset();
	if (status != B_OK) {
		if (fstatat(fTarget.Directory(), name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
			SameNode(named, created))
			unlinkat(fTarget.Directory(), name.c_str(), 0);
		return status;
	}
	_SyncDirectory();
	return B_OK;
}

// Puts the file written under name in the target's place. Where the file
// system can, the two names are swapped and swapped back unless the target
// then is the file written, so that a name changed by someone else at the
// last moment never takes the book's place.
status_t
SafeSave::_Install(const std::string& name, const struct stat& written, bool exists)
{
	int directory = fTarget.Directory();
	const char* leaf = fTarget.Leaf().c_str();
	if (exists && renameat2(directory, name.c_str(), directory, leaf, RENAME_EXCHANGE) == 0) {
		struct stat installed;
		if (fstatat(directory, leaf, &installed, AT_SYMLINK_NOFOLLOW) != 0 ||
			!SameNode(installed, written)) {
			renameat2(directory, name.c_str(), directory, leaf, RENAME_EXCHANGE);
			return kUnsafeLinkError;
		}
		// The old file, unless someone put something else there meanwhile.
		struct stat old;
		if (fstatat(directory, name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0 &&
			S_ISREG(old.st_mode))
			unlinkat(directory, name.c_str(), 0);
		return B_OK;
	}
	if (exists && errno != EINVAL && errno != ENOSYS && errno != ENOENT)
		return ErrnoStatus();
	return renameat(directory, name.c_str(), directory, leaf) == 0 ? B_OK : ErrnoStatus();
}

status_t
SafeSave::_InPlace(const struct stat& old, const Writer& writer)
{
	int target = openat(fTarget.Directory(), fTarget.Leaf().c_str(),
						O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
	if (target < 0)
		return errno == ELOOP ? kUnsafeLinkError : ErrnoStatus();
	struct stat opened;
	if (fstat(target, &opened) != 0 || !SameNode(opened, old) || !S_ISREG(opened.st_mode)) {
		close(target);
		return kUnsafeLinkError;
	}
	fcntl(target, F_SETFL, fcntl(target, F_GETFL) & ~O_NONBLOCK);

	int copy;
	std::string copyName;
	status_t status = _Create("zibkeep", 0600, &copy, &copyName);
	if (status == B_OK) {
		status = CopyData(target, copy);
		if (status == B_OK && fsync(copy) != 0)
			status = ErrnoStatus();
		close(copy);
		if (status != B_OK)
			unlinkat(fTarget.Directory(), copyName.c_str(), 0);
	}
	if (status != B_OK) {
		close(target);
		return status;
	}
	_SyncDirectory();

	BFile file;
	status = BPrivate::file_adopt_descriptor(&file, target, fTarget.Path().c_str(), B_READ_WRITE);
	if (status == B_OK)
		status = writer(&file);
	if (status == B_OK)
		status = file.SetSize(file.Position());
	if (status == B_OK)
		status = file.Sync();
	file.Unset();
	if (status != B_OK) {
		fKeptCopy = fTarget.PathOf(copyName);
		return status;
	}
	unlinkat(fTarget.Directory(), copyName.c_str(), 0);
	_SyncDirectory();
	return B_OK;
}

// Creates a new file of this user only, under a fresh name beside the target.
status_t
SafeSave::_Create(const char* kind, mode_t mode, int* fd, std::string* name)
{
	for (;;) {
		*name = fTarget.TemporaryName(kind);
		*fd = openat(fTarget.Directory(), name->c_str(),
					 O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
		if (*fd >= 0)
			return B_OK;
		if (errno != EEXIST && errno != EINTR)
			return ErrnoStatus();
	}
}

// Gives fd the extended attributes of the old file; the writer then
// replaces ours. Attributes outside the "user." namespace (access lists,
// security labels) are kept where this user may set them and dropped
// otherwise, as any other program's copy would.
status_t
SafeSave::_CopyAttributes(int fd)
{
	std::string path = fTarget.Path();
	ssize_t size = llistxattr(path.c_str(), nullptr, 0);
	if (size < 0)
		return errno == ENOTSUP ? B_OK : ErrnoStatus();
	std::string names(static_cast<size_t>(size), '\0');
	size = llistxattr(path.c_str(), names.data(), names.size());
	std::unique_ptr<char[]> value(new (std::nothrow) char[XATTR_SIZE_MAX]);
	if (size < 0)
		return ErrnoStatus();
	if (value == nullptr)
		return B_NO_MEMORY;
	for (size_t start = 0; start < static_cast<size_t>(size);) {
		const char* name = names.c_str() + start;
		start += strlen(name) + 1;
		ssize_t length = lgetxattr(path.c_str(), name, value.get(), XATTR_SIZE_MAX);
		bool copied = length >= 0 && fsetxattr(fd, name, value.get(), length, 0) == 0;
		if (!copied && strncmp(name, "user.", 5) == 0)
			return ErrnoStatus();
	}
	return B_OK;
}

void
SafeSave::_SyncDirectory()
{
	// The data is synced already; syncing the folder makes the new name
	// durable, and a failure here loses nothing that a retry would save.
	fsync(fTarget.Directory());
}
