#ifndef XDG_DIRECTORY_H
#define XDG_DIRECTORY_H

#include <string>

#include <SupportDefs.h>

namespace BPrivate {

// The user's base directory named by the environment variable (such as
// XDG_CONFIG_HOME) when that holds an absolute path, else fallback (such as
// ".config") inside the home directory: $HOME when absolute, else the
// password database's entry. B_ENTRY_NOT_FOUND without a home directory.
status_t xdg_user_directory(const char* variable, const char* fallback, std::string* path);

} // namespace BPrivate

#endif // XDG_DIRECTORY_H
