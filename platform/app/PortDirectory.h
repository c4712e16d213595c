#ifndef PORT_DIRECTORY_H
#define PORT_DIRECTORY_H

#include <OS.h>
#include <SupportDefs.h>

#include <string>
#include <vector>

namespace BPrivate {

// Where the ports of this user's running applications live: one Unix-domain
// socket per team in $XDG_RUNTIME_DIR/larimo-ports (or /tmp/larimo-ports-<uid>
// when that is unset), a directory of mode 0700. A socket is named
// "<signature>@<team>", the signature percent-encoded (every byte outside
// A-Z a-z 0-9 . _ - as %XX, upper-case hex). Thread-safe.
class PortDirectory {
public:
	// The directory, created when missing. B_PERMISSION_DENIED when it
	// exists but is not a directory of this user closed to everyone else.
	static status_t Path(std::string* path);
	// The socket path of a team. B_NAME_TOO_LONG when it would not fit a
	// socket address.
	static status_t SocketPath(const char* signature, team_id team, std::string* path);
	// The socket of a team whatever its signature; B_BAD_PORT_ID when none.
	static status_t FindSocket(team_id team, std::string* path);
	// The teams with that signature, oldest socket first. Sockets of
	// processes that are gone are removed; one whose process lives but
	// refuses connections is found stale when connecting (RemoveIfStale).
	static status_t FindTeams(const char* signature, std::vector<team_id>* teams);
	// Removes a socket that no longer accepts connections; true when it did.
	static bool RemoveIfStale(const std::string& socketPath);
	// Fills a socket address; false when path is too long.
	static bool MakeAddress(const std::string& path, void* address, size_t* length);
};

} // namespace BPrivate

#endif // PORT_DIRECTORY_H
