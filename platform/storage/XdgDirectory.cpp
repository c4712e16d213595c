#include "XdgDirectory.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "EntryPath.h"

namespace BPrivate {

namespace {

bool
is_absolute(const char* path)
{
	return path != nullptr && path[0] == '/';
}

status_t
home_directory(std::string* home)
{
	const char* variable = getenv("HOME");
	if (is_absolute(variable)) {
		*home = variable;
		return B_OK;
	}
	long size = sysconf(_SC_GETPW_R_SIZE_MAX);
	std::vector<char> buffer(size > 0 ? size : 16384);
	struct passwd entry;
	struct passwd* result = nullptr;
	if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &result) != 0 ||
		result == nullptr || !is_absolute(result->pw_dir))
		return B_ENTRY_NOT_FOUND;
	*home = result->pw_dir;
	return B_OK;
}

} // namespace

status_t
xdg_user_directory(const char* variable, const char* fallback, std::string* path)
{
	const char* value = getenv(variable);
	if (is_absolute(value)) {
		*path = value;
		while (path->size() > 1 && path->back() == '/')
			path->pop_back();
		return B_OK;
	}
	std::string home;
	status_t status = home_directory(&home);
	if (status == B_OK)
		*path = join_path(home, fallback);
	return status;
}

} // namespace BPrivate
