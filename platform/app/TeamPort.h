#ifndef TEAM_PORT_H
#define TEAM_PORT_H

#include <OS.h>
#include <SupportDefs.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class BLooper;
class BMessage;

namespace BPrivate {

class TeamConnection;

// The port of this team towards other processes: a listening socket under
// the signature (PortDirectory) and connections to peers of the same user,
// all served by one poll loop on a thread of its own, which hands each
// incoming message to the looper port it names. Writes never block: what a
// peer does not take at once waits in its connection's bounded buffer.
// Connections per peer, connections in all and the bytes of partial frames
// in all are capped; over a cap, the connections idle longest are closed
// first. One per process; all methods are thread-safe.
class TeamPort {
public:
	static constexpr size_t kMaxConnectionsPerPeer = 16;
	static constexpr size_t kMaxConnections = 256;
	// Room for two frames of the largest size.
	static constexpr size_t kMaxPartialBytes = 2 * (size_t(64) << 20) + (1 << 20);

	static TeamPort& Default();

	// Listens under signature and makes application the target of port
	// kApplicationPort. B_BUSY when already published; B_NAME_TOO_LONG,
	// B_PERMISSION_DENIED (directory not private) or the socket's error.
	status_t Publish(const char* signature, BLooper* application);
	// Stops listening and removes the socket. Connections stay usable.
	void Unpublish();

	// Sends message, already addressed (target token, reply address), to
	// port of team; never blocks. replyPort, when not negative, is the
	// reply port of a waiting thread: it is closed if the connection ends
	// first. B_BAD_PORT_ID when the team cannot be reached or left too much
	// unread (its connection is then closed).
	status_t Send(team_id team, port_id port, const BMessage& message, port_id replyPort = -1);

	// The published application looper, or null. Never dereferenced here.
	const BLooper* Application();

	// Opens a connection to team unless one is open. B_BAD_PORT_ID when the
	// team has no socket or its socket is stale (then removed).
	status_t Connect(team_id team);

private:
	TeamPort() = default;

	typedef std::multimap<team_id, std::shared_ptr<TeamConnection>> Connections;

	status_t _ConnectionFor(team_id team, std::shared_ptr<TeamConnection>* connection);
	std::shared_ptr<TeamConnection> _OpenConnection(team_id team);
	status_t _Connect(team_id team, std::shared_ptr<TeamConnection>* connection);
	// These four with fLock held. _Adopt() throws std::bad_alloc.
	status_t _StartPolling();
	void _Wake();
	void _Adopt(const std::shared_ptr<TeamConnection>& connection);
	void _CloseIdlest(Connections::iterator first, Connections::iterator last);

	void _Forget(const std::shared_ptr<TeamConnection>& connection);
	void _PollLoop();
	void _Accept(int listener);
	void _Read(const std::shared_ptr<TeamConnection>& connection);
	void _LimitPartialBytes();
	void _Deliver(port_id port, std::unique_ptr<BMessage> message);

	std::mutex fLock;
	Connections fConnections;              // guarded by fLock
	const BLooper* fApplication = nullptr; // guarded by fLock
	std::string fSocketPath;               // guarded by fLock
	int fListener = -1;                    // guarded by fLock
	std::vector<int> fRetiredListeners;    // guarded by fLock
	int fWake = -1;                        // guarded by fLock
	bool fPolling = false;                 // guarded by fLock
};

// The entry points of the application object: publish its looper under
// its signature when it starts, unpublish when it quits.
status_t publish_team_port(const char* signature, BLooper* application);
void unpublish_team_port();

} // namespace BPrivate

#endif // TEAM_PORT_H
