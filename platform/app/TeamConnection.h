#ifndef TEAM_CONNECTION_H
#define TEAM_CONNECTION_H

#include <OS.h>
#include <SupportDefs.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

class BMessage;

namespace BPrivate {

// One stream socket to another team of this user, used both ways: frames
// written here reach the peer, and a reader thread (TeamPort) reads the
// peer's frames. Owns the descriptor; closes it when the last owner lets go.
// All methods are thread-safe.
class TeamConnection {
public:
	// Adopts fd, a connected socket to peer.
	TeamConnection(int fd, team_id peer);
	~TeamConnection();

	TeamConnection(const TeamConnection&) = delete;
	TeamConnection& operator=(const TeamConnection&) = delete;

	team_id Peer() const { return fPeer; }
	int FD() const { return fFD; }

	// Writes one whole frame. B_TIMED_OUT when the peer does not take it
	// within timeout; any failure part-way shuts the connection down, since
	// the stream would be out of step.
	status_t Write(const std::string& frame, bigtime_t timeout);

	// A reply port whose thread waits for an answer from this peer; it is
	// closed (waking the thread) when the connection ends.
	void AddWaiter(port_id replyPort);
	// Ends the connection both ways and closes the waiters' ports.
	void Shutdown();
	bool IsShutDown() const;

	// Reads exactly size bytes into buffer; false on end of stream or error.
	bool ReadFully(char* buffer, size_t size);

private:
	const int fFD;
	const team_id fPeer;
	std::mutex fWriteLock;             // serialises frames
	mutable std::mutex fLock;
	std::vector<port_id> fWaiters;     // guarded by fLock
	bool fShutDown;                    // guarded by fLock
};

} // namespace BPrivate

#endif // TEAM_CONNECTION_H
