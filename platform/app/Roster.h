#ifndef ROSTER_H
#define ROSTER_H

#include <SupportDefs.h>

#include <functional>
#include <string>
#include <vector>

// Starts other applications. Only the web browser and the mail program are
// known here: the signatures "application/x-vnd.Be-NPOS" and "text/html"
// open each argument (a URL) in the user's desktop browser, and
// "application/x-vnd.Be.URL.mailto" each argument that is a mailto: URL in
// the desktop's mail program, through xdg-open. Thread-safe.
class BRoster {
public:
	// Starts the application for mimeType with the argc arguments args.
	// team, when given, receives the started process's id. B_OK once the
	// opener runs (whether the browser then shows the page is not known);
	// B_BAD_VALUE without arguments; B_LAUNCH_FAILED for any other type or
	// when the opener cannot be started.
	status_t Launch(const char* mimeType, int argc, const char* const* args,
					team_id* team = nullptr) const;
};

extern const BRoster* be_roster;

namespace BPrivate {

// Replaces every launch by a call of handler (its status is Launch's
// result, and no team is set); an empty handler restores real launches.
// For tests, so no browser opens.
using LaunchHandler =
	std::function<status_t(const char* signature, const std::vector<std::string>& args)>;
void set_launch_handler(LaunchHandler handler);

} // namespace BPrivate

#endif // ROSTER_H
