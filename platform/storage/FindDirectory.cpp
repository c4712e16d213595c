#include "FindDirectory.h"

#include <string>

#include "EntryPath.h"
#include "Path.h"
#include "XdgDirectory.h"

namespace {

status_t
directory_path(directory_which which, bool createIt, std::string* path)
{
	if (which != B_USER_SETTINGS_DIRECTORY && which != B_COMMON_SETTINGS_DIRECTORY)
		return B_BAD_VALUE;
	status_t status = BPrivate::xdg_user_directory("XDG_CONFIG_HOME", ".config", path);
	if (status == B_OK && createIt)
		status = BPrivate::create_directories(*path, 0700);
	return status;
}

} // namespace

status_t
find_directory(directory_which which, BPath* path, bool createIt, BVolume*)
{
	if (path == nullptr)
		return B_BAD_VALUE;
	std::string directory;
	status_t status = directory_path(which, createIt, &directory);
	if (status != B_OK)
		return status;
	return path->SetTo(directory.c_str());
}
