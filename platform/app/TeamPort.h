#ifndef TEAM_PORT_H
#define TEAM_PORT_H

#include <OS.h>
#include <SupportDefs.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class BLooper;
class BMessage;

namespace BPrivate {

class TeamConnection;

// The port of this team towards other processes: a listening socket under
// the signature (PortDirectory), connections to peers of the same user
// cached per team, and a reader thread per connection that hands each
// incoming message to the looper port it names. One per process; all
// methods are thread-safe.
class TeamPort {
public:
	static TeamPort& Default();

	// Listens under signature and makes application the target of port
	// kApplicationPort. B_BUSY when already published; B_NAME_TOO_LONG,
	// B_PERMISSION_DENIED (directory not private) or the socket's error.
	status_t Publish(const char* signature, BLooper* application);
	// Stops listening and removes the socket. Connections stay usable.
	void Unpublish();

	// Sends message, already addressed (target token, reply address), to
	// port of team. replyPort, when not negative, is the reply port of a
	// waiting thread: it is closed if the connection ends first.
	// B_BAD_PORT_ID when the team cannot be reached; B_TIMED_OUT when it
	// did not take the message within timeout.
	status_t Send(team_id team, port_id port, const BMessage& message, bigtime_t timeout,
		port_id replyPort = -1);

	// The published application looper, or null. Never dereferenced here.
	const BLooper* Application();

	// Opens a connection to team unless one is open. B_BAD_PORT_ID when the
	// team has no socket or its socket is stale (then removed).
	status_t Connect(team_id team);

private:
	TeamPort() = default;

	status_t _ConnectionFor(team_id team, std::shared_ptr<TeamConnection>* connection);
	std::shared_ptr<TeamConnection> _OpenConnection(team_id team);
	status_t _Connect(team_id team, std::shared_ptr<TeamConnection>* connection);
	void _Adopt(const std::shared_ptr<TeamConnection>& connection);
	void _Forget(const std::shared_ptr<TeamConnection>& connection);
	void _AcceptLoop(int listener, int wake);
	void _ReadLoop(std::shared_ptr<TeamConnection> connection);
	void _Deliver(port_id port, std::unique_ptr<BMessage> message);

	std::mutex fLock;
	std::multimap<team_id, std::shared_ptr<TeamConnection>> fConnections; // guarded by fLock
	const BLooper* fApplication = nullptr;                            // guarded by fLock
	std::string fSocketPath;                                          // guarded by fLock
	int fListener = -1;                                               // guarded by fLock
	int fWake = -1;                                                   // guarded by fLock
	std::thread fAcceptThread;                                        // guarded by fLock
};

// The entry points of the application object: publish its looper under
// its signature when it starts, unpublish when it quits.
status_t publish_team_port(const char* signature, BLooper* application);
void unpublish_team_port();

} // namespace BPrivate

#endif // TEAM_PORT_H
