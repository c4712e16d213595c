#include "BookTarget.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include <ErrnoStatus.h>

#include "BookConstants.h"

namespace {

// As many links as the kernel follows when it resolves a path.
const int kMaxLinkHops = 40;
// Room for the name's own parts within the 255 bytes of a leaf.
const size_t kMaxLeafInName = 200;

// Whether the kernel's protected_symlinks rule lets this user follow link,
// which lies in folder.
bool
MayFollow(const struct stat& link, const struct stat& folder)
{
	const mode_t kShared = S_ISVTX | S_IWOTH;
	return (folder.st_mode & kShared) != kShared || link.st_uid == geteuid() ||
		   link.st_uid == folder.st_uid;
}

bool
ProcessIsGone(pid_t pid)
{
	return pid > 0 && kill(pid, 0) != 0 && errno == ESRCH;
}

} // namespace

BookTarget::BookTarget() : fDirectory(-1)
{
}

BookTarget::~BookTarget()
{
	if (fDirectory >= 0)
		close(fDirectory);
}

status_t
BookTarget::SetTo(const char* path)
{
	if (fDirectory >= 0)
		close(fDirectory);
	fDirectory = -1;
	if (path == nullptr || path[0] != '/')
		return B_BAD_VALUE;

	std::filesystem::path current = std::filesystem::path(path).lexically_normal();
	for (int hops = 0;; hops++) {
		struct stat link;
		if (lstat(current.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
			break;
		if (hops == kMaxLinkHops)
			return B_LINK_LIMIT;
		struct stat folder;
		if (stat(current.parent_path().c_str(), &folder) != 0)
			return BPrivate::status_for_errno(errno);
		if (!MayFollow(link, folder))
			return kUnsafeLinkError;
		std::error_code error;
		std::filesystem::path target = std::filesystem::read_symlink(current, error);
		if (error)
			return BPrivate::status_for_errno(error.value());
		current = (current.parent_path() / target).lexically_normal();
	}

	fDirectoryPath = current.parent_path().string();
	fLeaf = current.filename().string();
	if (fLeaf.empty())
		return B_IS_A_DIRECTORY;
	fDirectory = open(fDirectoryPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
	return fDirectory >= 0 ? B_OK : BPrivate::status_for_errno(errno);
}

std::string
BookTarget::PathOf(const std::string& name) const
{
	return fDirectoryPath == "/" ? "/" + name : fDirectoryPath + "/" + name;
}

std::string
BookTarget::_Prefix(const char* kind) const
{
	return "." + fLeaf.substr(0, kMaxLeafInName) + "." + kind + "-";
}

std::string
BookTarget::TemporaryName(const char* kind) const
{
	static std::random_device sRandom;
	char suffix[32];
	snprintf(suffix, sizeof(suffix), "%d-%08x", static_cast<int>(getpid()),
			 static_cast<unsigned>(sRandom()));
	return _Prefix(kind) + suffix;
}

void
BookTarget::RemoveStaleTemporaries() const
{
	if (fDirectory < 0)
		return;
	int listed = openat(fDirectory, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
	DIR* directory = listed >= 0 ? fdopendir(listed) : nullptr;
	if (directory == nullptr) {
		if (listed >= 0)
			close(listed);
		return;
	}
	const std::string prefix = _Prefix("zibsave");
	while (const dirent* entry = readdir(directory)) {
		std::string name = entry->d_name;
		if (name.compare(0, prefix.size(), prefix) != 0)
			continue;
		char* end = nullptr;
		long pid = strtol(name.c_str() + prefix.size(), &end, 10);
		struct stat info;
		if (end == nullptr || *end != '-' || !ProcessIsGone(static_cast<pid_t>(pid)) ||
			fstatat(fDirectory, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 ||
			!S_ISREG(info.st_mode) || info.st_uid != geteuid())
			continue;
		// Cleaning up is a courtesy: a name that cannot be removed stays.
		unlinkat(fDirectory, name.c_str(), 0);
	}
	closedir(directory);
}
