#include "TeamConnection.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <new>

#include "MessagePort.h"

namespace {

// Bytes read from the socket at a time, and by one call of Receive(): a
// peer that announces a large frame costs memory only for the bytes it
// really sends, and one that never stops sending leaves the other
// connections their turn after each chunk.
const size_t kReadChunk = 64 << 10;

} // namespace

namespace BPrivate {

TeamConnection::TeamConnection(int fd, team_id peer)
	: fFD(fd), fPeer(peer), fOutStart(0), fShutDown(false), fLastActive(system_time())
{
	fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

TeamConnection::~TeamConnection()
{
	close(fFD);
}

status_t
TeamConnection::Write(const std::string& frame)
{
	{
		std::lock_guard<std::mutex> lock(fLock);
		if (fShutDown)
			return B_BAD_PORT_ID;
		size_t pending = fOut.size() - fOutStart;
		// One frame always fits an empty buffer, however large.
		if (pending == 0 || pending + frame.size() <= kMaxPending) {
			try {
				if (pending == 0) {
					fOut.clear();
					fOutStart = 0;
				}
				fOut += frame;
			} catch (const std::bad_alloc&) {
				return B_NO_MEMORY;
			}
			if (pending != 0 || _Send())
				return B_OK;
		}
	}
	// A peer that stopped reading, or a broken stream.
	Shutdown();
	return B_BAD_PORT_ID;
}

bool
TeamConnection::Flush()
{
	bool sent;
	{
		std::lock_guard<std::mutex> lock(fLock);
		if (fShutDown)
			return false;
		sent = _Send();
		if (sent)
			return fOutStart < fOut.size();
	}
	Shutdown();
	return false;
}

bool
TeamConnection::HasPending() const
{
	std::lock_guard<std::mutex> lock(fLock);
	return !fShutDown && fOutStart < fOut.size();
}

bool
TeamConnection::_Send()
{
	while (fOutStart < fOut.size()) {
		ssize_t sent = send(fFD, fOut.data() + fOutStart, fOut.size() - fOutStart,
							MSG_DONTWAIT | MSG_NOSIGNAL);
		if (sent > 0)
			fOutStart += sent;
		else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
			return true;
		else if (sent == 0 || errno != EINTR)
			return false;
	}
	fOut = std::string();
	fOutStart = 0;
	return true;
}

void
TeamConnection::AddWaiter(port_id replyPort)
{
	std::lock_guard<std::mutex> lock(fLock);
	// A queue that keeps several requests on their way is listed once.
	if (std::find(fWaiters.begin(), fWaiters.end(), replyPort) != fWaiters.end())
		return;
	// Forget the ports of finished waits now and then, so the list stays short.
	if (fWaiters.size() >= 64) {
		std::erase_if(fWaiters, [](port_id id) { return MessagePort::Find(id) == nullptr; });
	}
	fWaiters.push_back(replyPort);
}

void
TeamConnection::Shutdown()
{
	std::vector<port_id> waiters;
	{
		std::lock_guard<std::mutex> lock(fLock);
		if (fShutDown)
			return;
		fShutDown = true;
		waiters.swap(fWaiters);
		fOut = std::string();
		fOutStart = 0;
	}
	shutdown(fFD, SHUT_RDWR);
	for (port_id id : waiters) {
		if (std::shared_ptr<MessagePort> port = MessagePort::Find(id))
			port->Close();
	}
}

bool
TeamConnection::IsShutDown() const
{
	std::lock_guard<std::mutex> lock(fLock);
	return fShutDown;
}

bool
TeamConnection::Receive()
{
	static thread_local char sChunk[kReadChunk];
	for (;;) {
		ssize_t got = recv(fFD, sChunk, sizeof(sChunk), MSG_DONTWAIT);
		if (got > 0) {
			fIn.append(sChunk, got);
			fLastActive = system_time();
			return true;
		}
		if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
			return true;
		if (got == 0 || errno != EINTR)
			return false;
	}
}

} // namespace BPrivate
