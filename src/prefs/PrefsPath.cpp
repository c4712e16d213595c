#include "PrefsPath.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <string_view>

#include <ErrnoStatus.h>
#include <FindDirectory.h>
#include <Path.h>
#include <StorageDefs.h>

#include "Prefs.h"

static const std::string_view kApplicationPrefix = "/_LP_";
static const std::string_view kCommonDirectory = "/(libprefs common)";

static bool
is_directory(const std::string& path, bool* exists)
{
	struct stat info;
	*exists = stat(path.c_str(), &info) == 0;
	return *exists && S_ISDIR(info.st_mode);
}

status_t
build_set_path(const char* application, const char* setName, bool user, std::string* _path)
{
	BPath settings;
	status_t status = find_directory(user ? B_USER_SETTINGS_DIRECTORY : B_COMMON_SETTINGS_DIRECTORY,
									 &settings, true);
	if (status != B_OK)
		return status;

	std::string path = settings.Path();
	size_t length = path.size() + kApplicationPrefix.size() + strlen(application) +
					(user ? 0 : kCommonDirectory.size()) + 1 + strlen(setName);
	// The terminator must fit as well.
	if (length >= B_PATH_NAME_LENGTH)
		return PREF_ERR_NAME_TOO_LONG;

	// mkdir() failures show in the checks that follow.
	path.append(kApplicationPrefix).append(application);
	mkdir(path.c_str(), 0777);
	if (!user) {
		path.append(kCommonDirectory);
		mkdir(path.c_str(), 0777);
	}
	struct stat info;
	if (stat(path.c_str(), &info) != 0)
		return BPrivate::status_for_errno(errno);

	path.append("/").append(setName);
	for (size_t slash = path.find('/', 1); slash != std::string::npos;
		 slash = path.find('/', slash + 1)) {
		std::string directory = path.substr(0, slash);
		bool exists;
		if (is_directory(directory, &exists))
			continue;
		if (exists)
			return B_NOT_A_DIRECTORY;
		mkdir(directory.c_str(), 0777);
		if (!is_directory(directory, &exists))
			return exists ? B_NOT_A_DIRECTORY : B_ENTRY_NOT_FOUND;
	}
	*_path = std::move(path);
	return B_OK;
}
