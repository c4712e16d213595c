#include "fs_index.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include <ErrnoStatus.h>
#include <RegularFile.h>
#include <StorageDefs.h>

#include "EntryPath.h"
#include "XdgDirectory.h"

namespace {

// The registry file of the index: its name with '%', '/' and a leading '.'
// written as %XX.
status_t
index_path(dev_t device, const char* name, std::string* path)
{
	if (name == nullptr || name[0] == '\0')
		return B_BAD_VALUE;
	if (strlen(name) >= B_FILE_NAME_LENGTH)
		return B_NAME_TOO_LONG;
	std::string file;
	for (const char* c = name; *c != '\0'; c++) {
		if (*c == '%' || *c == '/' || (*c == '.' && c == name)) {
			char escaped[4];
			snprintf(escaped, sizeof(escaped), "%%%02X", static_cast<unsigned char>(*c));
			file += escaped;
		} else
			file += *c;
	}
	if (file.size() >= B_FILE_NAME_LENGTH)
		return B_NAME_TOO_LONG;
	status_t status = BPrivate::xdg_user_directory("XDG_DATA_HOME", ".local/share", path);
	if (status == B_OK)
		*path += "/larimo-platform/indexes/" + std::to_string(device) + "/" + file;
	return status;
}

} // namespace

status_t
fs_create_index(dev_t device, const char* name, uint32 type, uint32)
{
	std::string path;
	status_t status = index_path(device, name, &path);
	if (status != B_OK)
		return status;
	std::string directory;
	std::string leaf;
	BPrivate::split_path(path, &directory, &leaf);
	status = BPrivate::create_directories(directory, 0700);
	if (status != B_OK)
		return status;

	// Written aside and linked into place, so that a reader never sees a
	// half-written entry and of two creators exactly one succeeds.
	std::string temporary = directory + "/.new.XXXXXX";
	int fd = mkostemp(temporary.data(), O_CLOEXEC);
	if (fd < 0)
		return BPrivate::status_for_errno(errno);
	ssize_t written = write(fd, &type, sizeof(type));
	int error = written < 0 ? errno : 0;
	if (close(fd) != 0 && error == 0)
		error = errno;
	if (error != 0)
		status = BPrivate::status_for_errno(error);
	else if (written != sizeof(type))
		status = B_IO_ERROR;
	if (status == B_OK && link(temporary.c_str(), path.c_str()) != 0)
		status = BPrivate::status_for_errno(errno);
	unlink(temporary.c_str());
	return status;
}

status_t
fs_stat_index(dev_t device, const char* name, index_info* indexInfo)
{
	if (indexInfo == nullptr)
		return B_BAD_VALUE;
	std::string path;
	status_t status = index_path(device, name, &path);
	if (status != B_OK)
		return status;
	int fd = -1;
	status = BPrivate::open_regular_file(path.c_str(), O_RDONLY, 0, &fd);
	if (status != B_OK)
		return status;
	uint32 type;
	struct stat info;
	if (read(fd, &type, sizeof(type)) != sizeof(type) || fstat(fd, &info) != 0)
		status = B_BAD_DATA;
	close(fd);
	if (status != B_OK)
		return status;
	indexInfo->type = type;
	indexInfo->size = 0;
	indexInfo->modification_time = info.st_mtime;
	indexInfo->creation_time = info.st_ctime;
	indexInfo->uid = info.st_uid;
	indexInfo->gid = info.st_gid;
	return B_OK;
}
