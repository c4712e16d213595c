#include "EntryPath.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

#include <ErrnoStatus.h>
#include <StorageDefs.h>

namespace BPrivate {

namespace {

const int kMaxLinks = 32;

// The canonical absolute form of an existing path.
status_t
canonical_path(const std::string& path, std::string* canonical)
{
	std::unique_ptr<char, decltype(&free)> resolved(
		realpath(path.empty() ? "." : path.c_str(), nullptr), &free);
	if (resolved == nullptr)
		return status_for_errno(errno);
	*canonical = resolved.get();
	return B_OK;
}

// One step of resolve_entry(): the directory of path made canonical, the leaf
// kept as it is unless it is "." or "..".
status_t
locate(const std::string& path, EntryLocation* location)
{
	std::string directory;
	std::string leaf;
	split_path(path, &directory, &leaf);
	status_t status;
	if (leaf == "." || leaf == "..") {
		std::string canonical;
		status = canonical_path(path, &canonical);
		if (status != B_OK)
			return status;
		split_path(canonical, &directory, &leaf);
	} else {
		status = canonical_path(directory, &directory);
		if (status != B_OK)
			return status;
	}
	if (leaf.size() >= B_FILE_NAME_LENGTH)
		return B_NAME_TOO_LONG;

	struct stat info;
	if (stat(directory.c_str(), &info) != 0)
		return status_for_errno(errno);
	if (!S_ISDIR(info.st_mode))
		return B_NOT_A_DIRECTORY;
	location->directory = directory;
	location->leaf = leaf;
	location->device = info.st_dev;
	location->directoryInode = info.st_ino;
	return B_OK;
}

// The target of the symbolic link at path, or an empty string when path is
// no link.
status_t
link_target(const std::string& path, std::string* target)
{
	target->clear();
	struct stat info;
	if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
		return B_OK;
	std::string buffer(info.st_size > 0 ? info.st_size + 1 : B_PATH_NAME_LENGTH, '\0');
	ssize_t length = readlink(path.c_str(), buffer.data(), buffer.size());
	if (length < 0)
		return status_for_errno(errno);
	if (static_cast<size_t>(length) >= buffer.size())
		return B_NAME_TOO_LONG;
	buffer.resize(length);
	*target = buffer;
	return B_OK;
}

} // namespace

std::string
EntryLocation::Path() const
{
	return join_path(directory, leaf);
}

status_t
resolve_entry(const char* path, bool traverse, EntryLocation* location)
{
	if (path == nullptr || path[0] == '\0' || location == nullptr)
		return B_BAD_VALUE;

	std::string current = path;
	for (int links = 0;; links++) {
		status_t status = locate(current, location);
		if (status != B_OK || !traverse)
			return status;

		std::string target;
		status = link_target(location->Path(), &target);
		if (status != B_OK || target.empty())
			return status;
		if (links == kMaxLinks)
			return B_LINK_LIMIT;
		current = target[0] == '/' ? target : join_path(location->directory, target);
	}
}

void
split_path(const std::string& path, std::string* directory, std::string* leaf)
{
	size_t end = path.find_last_not_of('/');
	if (end == std::string::npos) {
		// Built with a count: GCC 12 at -O3 warns falsely (-Wrestrict) on
		// assigning a literal to a string.
		directory->assign(path.empty() ? 0 : 1, '/');
		leaf->assign(path.empty() ? 0 : 1, '.');
		return;
	}
	size_t slash = path.rfind('/', end);
	*leaf = path.substr(slash == std::string::npos ? 0 : slash + 1,
						slash == std::string::npos ? end + 1 : end - slash);
	if (slash == std::string::npos)
		directory->clear();
	else if (slash == 0)
		directory->assign(1, '/');
	else
		*directory = path.substr(0, slash);
}

std::string
join_path(const std::string& directory, const std::string& leaf)
{
	if (leaf == ".")
		return directory;
	if (directory.empty())
		return leaf;
	if (directory.back() == '/')
		return directory + leaf;
	return directory + "/" + leaf;
}

status_t
create_directories(const std::string& path, mode_t mode)
{
	for (size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
		std::string prefix = path.substr(0, end);
		if (mkdir(prefix.c_str(), mode) != 0 && errno != EEXIST)
			return status_for_errno(errno);
		if (end == std::string::npos)
			break;
	}
	struct stat info;
	if (stat(path.c_str(), &info) != 0)
		return status_for_errno(errno);
	return S_ISDIR(info.st_mode) ? B_OK : B_NOT_A_DIRECTORY;
}

} // namespace BPrivate
