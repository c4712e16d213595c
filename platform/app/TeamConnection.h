#ifndef TEAM_CONNECTION_H
#define TEAM_CONNECTION_H

#include <OS.h>
#include <SupportDefs.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace BPrivate {

// One non-blocking stream socket to another team of this user, used both
// ways. Frames written here are sent at once as far as the socket takes
// them; the rest waits in a bounded outgoing buffer that TeamPort's poll
// loop flushes. Incoming bytes are gathered by that loop alone (Receive(),
// Partial()). Owns the descriptor; closes it when the last owner lets go.
// Write(), AddWaiter(), Shutdown() and IsShutDown() are thread-safe.
class TeamConnection {
public:
	// Bytes that may wait to be sent beyond one frame; a peer that leaves
	// more unread loses its connection.
	static constexpr size_t kMaxPending = 16 << 20;

	// Adopts fd, a connected socket to peer, and makes it non-blocking.
	TeamConnection(int fd, team_id peer);
	~TeamConnection();

	TeamConnection(const TeamConnection&) = delete;
	TeamConnection& operator=(const TeamConnection&) = delete;

	team_id Peer() const { return fPeer; }
	int FD() const { return fFD; }

	// Queues one whole frame and sends what the socket takes now; never
	// blocks. B_BAD_PORT_ID when the connection is down or its buffer is
	// full (the connection is then shut down); B_NO_MEMORY.
	status_t Write(const std::string& frame);
	// Sends what waits, as far as the socket takes it; shuts the connection
	// down on an error. Whether bytes still wait.
	bool Flush();
	bool HasPending() const;

	// A reply port whose thread waits for an answer from this peer; it is
	// closed (waking the thread) when the connection ends.
	void AddWaiter(port_id replyPort);
	// Ends the connection both ways and closes the waiters' ports.
	void Shutdown();
	bool IsShutDown() const;

	// For the poll loop only: reads up to one chunk of what arrived into
	// the partial frame buffer; false on end of stream or error. Throws
	// std::bad_alloc.
	bool Receive();
	std::string& Partial() { return fIn; }
	// When bytes last arrived (or the connection opened). Thread-safe.
	bigtime_t LastActive() const { return fLastActive; }

private:
	// With fLock held: sends from the outgoing buffer; false on an error.
	bool _Send();

	const int fFD;
	const team_id fPeer;
	mutable std::mutex fLock;
	std::string fOut;              // guarded by fLock
	size_t fOutStart;              // guarded by fLock
	std::vector<port_id> fWaiters; // guarded by fLock
	bool fShutDown;                // guarded by fLock
	std::string fIn;               // poll loop only
	std::atomic<bigtime_t> fLastActive;
};

} // namespace BPrivate

#endif // TEAM_CONNECTION_H
