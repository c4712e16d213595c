#include "TeamConnection.h"

#include <errno.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

#include "MessagePort.h"

namespace BPrivate {

TeamConnection::TeamConnection(int fd, team_id peer)
	:
	fFD(fd),
	fPeer(peer),
	fShutDown(false)
{
}

TeamConnection::~TeamConnection()
{
	close(fFD);
}

status_t
TeamConnection::Write(const std::string& frame, bigtime_t timeout)
{
	std::lock_guard<std::mutex> writeLock(fWriteLock);
	if (IsShutDown())
		return B_BAD_PORT_ID;
	const bigtime_t deadline = timeout == B_INFINITE_TIMEOUT ? B_INFINITE_TIMEOUT
		: system_time() + std::max<bigtime_t>(timeout, 0);
	size_t written = 0;
	while (written < frame.size()) {
		ssize_t sent = send(fFD, frame.data() + written, frame.size() - written,
			MSG_DONTWAIT | MSG_NOSIGNAL);
		if (sent > 0) {
			written += sent;
			continue;
		}
		if (sent < 0 && errno == EINTR)
			continue;
		status_t status = B_BAD_PORT_ID;
		if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
			int wait = -1;
			if (deadline != B_INFINITE_TIMEOUT) {
				bigtime_t left = deadline - system_time();
				wait = left > 0 ? int((left + 999) / 1000) : 0;
			}
			pollfd entry = {fFD, POLLOUT, 0};
			int ready = poll(&entry, 1, wait);
			if (ready > 0 || (ready < 0 && errno == EINTR))
				continue;
			status = B_TIMED_OUT;
		}
		// Nothing of this frame was taken: the stream is still in step.
		if (written == 0 && status == B_TIMED_OUT)
			return status;
		Shutdown();
		return status;
	}
	return B_OK;
}

void
TeamConnection::AddWaiter(port_id replyPort)
{
	std::lock_guard<std::mutex> lock(fLock);
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
TeamConnection::ReadFully(char* buffer, size_t size)
{
	size_t done = 0;
	while (done < size) {
		ssize_t got = recv(fFD, buffer + done, size - done, 0);
		if (got > 0)
			done += got;
		else if (got == 0 || errno != EINTR)
			return false;
	}
	return true;
}

} // namespace BPrivate
