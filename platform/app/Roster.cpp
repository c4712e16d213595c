#include "Roster.h"

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <string_view>
#include <thread>

extern char** environ;

namespace {

const char* const kBrowserSignatures[] = {"application/x-vnd.Be-NPOS", "text/html"};
// The handler of mailto: URLs; it is handed nothing else.
const char* const kMailtoSignature = "application/x-vnd.Be.URL.mailto";
// The freedesktop opener: it hands a URL to the user's chosen browser.
const char* const kOpener = "xdg-open";

std::mutex sHandlerLock;
BPrivate::LaunchHandler sHandler; // guarded by sHandlerLock

char
ascii_lower(char c)
{
	return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

bool
is_browser(const char* signature)
{
	for (const char* known : kBrowserSignatures) {
		// MIME types ignore ASCII case only, whatever the process's locale.
		if (std::ranges::equal(std::string_view(signature), std::string_view(known),
							   [](char a, char b) { return ascii_lower(a) == ascii_lower(b); }))
			return true;
	}
	return false;
}

bool
all_mailto(const std::vector<std::string>& urls)
{
	for (const std::string& url : urls) {
		if (strncasecmp(url.c_str(), "mailto:", 7) != 0)
			return false;
	}
	return true;
}

// Starts the opener on url without a shell, so no byte of url is ever
// interpreted; a thread reaps it when it ends.
status_t
spawn_opener(const std::string& url, pid_t* pid)
{
	char* argv[] = {const_cast<char*>(kOpener), const_cast<char*>(url.c_str()), nullptr};
	if (posix_spawnp(pid, kOpener, nullptr, nullptr, argv, environ) != 0)
		return B_LAUNCH_FAILED;
	std::thread([child = *pid] {
		int status;
		while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
		}
	}).detach();
	return B_OK;
}

const BRoster sRoster;

} // namespace

const BRoster* be_roster = &sRoster;

status_t
BRoster::Launch(const char* mimeType, int argc, const char* const* args, team_id* team) const
{
	if (mimeType == nullptr || argc <= 0 || args == nullptr)
		return B_BAD_VALUE;
	std::vector<std::string> arguments;
	for (int i = 0; i < argc; i++) {
		if (args[i] == nullptr)
			return B_BAD_VALUE;
		arguments.emplace_back(args[i]);
	}
	{
		std::lock_guard<std::mutex> lock(sHandlerLock);
		if (sHandler)
			return sHandler(mimeType, arguments);
	}
	bool mail = strcasecmp(mimeType, kMailtoSignature) == 0 && all_mailto(arguments);
	if (!is_browser(mimeType) && !mail)
		return B_LAUNCH_FAILED;
	for (const std::string& url : arguments) {
		pid_t pid;
		status_t status = spawn_opener(url, &pid);
		if (status != B_OK)
			return status;
		if (team != nullptr)
			*team = pid;
	}
	return B_OK;
}

namespace BPrivate {

void
set_launch_handler(LaunchHandler handler)
{
	std::lock_guard<std::mutex> lock(sHandlerLock);
	sHandler = std::move(handler);
}

} // namespace BPrivate
