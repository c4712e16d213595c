#include "TeamPort.h"

#include <errno.h>
#include <poll.h>
#include <stdio.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <iterator>
#include <new>
#include <thread>
#include <utility>

#include <ErrnoStatus.h>
#include <Message.h>

#include "DeliveredMessage.h"
#include "HandlerTokens.h"
#include "MessagePort.h"
#include "MessagePrivate.h"
#include "PortDirectory.h"
#include "TeamConnection.h"
#include "WireFrame.h"

namespace {

// Connections accepted in one round of the poll loop, so that a flood of
// them leaves the others their turn.
const int kAcceptsPerRound = 64;
// A partial frame buffer that grew beyond this is given back when empty.
const size_t kKeptBufferSize = 1 << 20;
// How long connecting to a peer whose backlog is full may take.
const int kConnectSeconds = 1;

// The peer's user and process, or false when the socket cannot tell.
bool
peer_credentials(int fd, ucred* credentials)
{
	socklen_t length = sizeof(*credentials);
	return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, credentials, &length) == 0 &&
		   length == sizeof(*credentials);
}

} // namespace

namespace BPrivate {

TeamPort&
TeamPort::Default()
{
	// Never destroyed: the poll loop may still run while statics go away.
	static TeamPort& sPort = *new TeamPort;
	return sPort;
}

status_t
TeamPort::Publish(const char* signature, BLooper* application)
{
	if (application == nullptr)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> lock(fLock);
	if (fListener >= 0)
		return B_BUSY;
	std::string path;
	std::string bindPath;
	status_t status = PortDirectory::SocketPath(signature, getpid(), &path);
	if (status == B_OK)
		status = PortDirectory::Path(&bindPath);
	if (status != B_OK)
		return status;
	// The socket listens under a name no client looks up and only then
	// takes its real name: a client that found it bound but not yet
	// listening would take it for stale and remove it.
	bindPath += "/.bind-" + std::to_string(getpid());
	sockaddr_un address;
	size_t length;
	if (!PortDirectory::MakeAddress(bindPath, &address, &length))
		return B_NAME_TOO_LONG;
	int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
	if (listener < 0)
		return status_for_errno(errno);
	// Files under our own process id can only be left by a dead process.
	unlink(bindPath.c_str());
	if (bind(listener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
		listen(listener, SOMAXCONN) != 0 || rename(bindPath.c_str(), path.c_str()) != 0) {
		status = status_for_errno(errno);
		close(listener);
		unlink(bindPath.c_str());
		return status;
	}
	status = _StartPolling();
	if (status != B_OK) {
		close(listener);
		unlink(path.c_str());
		return status;
	}
	fListener = listener;
	fSocketPath = path;
	fApplication = application;
	_Wake();
	return B_OK;
}

void
TeamPort::Unpublish()
{
	std::lock_guard<std::mutex> lock(fLock);
	if (fListener < 0)
		return;
	unlink(fSocketPath.c_str());
	fSocketPath.clear();
	fApplication = nullptr;
	// The poll loop closes it once it no longer polls it.
	try {
		fRetiredListeners.push_back(fListener);
	} catch (const std::bad_alloc&) {
		shutdown(fListener, SHUT_RDWR);
	}
	fListener = -1;
	_Wake();
}

status_t
TeamPort::Send(team_id team, port_id port, const BMessage& message, port_id replyPort)
{
	std::string frame;
	status_t status = WireFrame::Encode(port, message, &frame);
	if (status != B_OK)
		return status;
	std::shared_ptr<TeamConnection> connection;
	status = _ConnectionFor(team, &connection);
	if (status != B_OK)
		return status;
	if (replyPort >= 0)
		connection->AddWaiter(replyPort);
	status = connection->Write(frame);
	// The poll loop sends the rest, or forgets a connection that failed.
	if (status != B_OK || connection->HasPending()) {
		std::lock_guard<std::mutex> lock(fLock);
		_Wake();
	}
	return status;
}

status_t
TeamPort::Connect(team_id team)
{
	std::shared_ptr<TeamConnection> connection;
	return _ConnectionFor(team, &connection);
}

const BLooper*
TeamPort::Application()
{
	std::lock_guard<std::mutex> lock(fLock);
	return fApplication;
}

status_t
TeamPort::_ConnectionFor(team_id team, std::shared_ptr<TeamConnection>* connection)
{
	*connection = _OpenConnection(team);
	return *connection != nullptr ? B_OK : _Connect(team, connection);
}

std::shared_ptr<TeamConnection>
TeamPort::_OpenConnection(team_id team)
{
	// The newest open one: older ones may be probes or idle leftovers.
	std::lock_guard<std::mutex> lock(fLock);
	auto [first, last] = fConnections.equal_range(team);
	for (auto it = last; it != first;) {
		--it;
		if (!it->second->IsShutDown())
			return it->second;
	}
	return nullptr;
}

status_t
TeamPort::_Connect(team_id team, std::shared_ptr<TeamConnection>* connection)
{
	if (team <= 0)
		return B_BAD_PORT_ID;
	std::string path;
	if (PortDirectory::FindSocket(team, &path) != B_OK)
		return B_BAD_PORT_ID;
	sockaddr_un address;
	size_t length;
	if (!PortDirectory::MakeAddress(path, &address, &length))
		return B_BAD_PORT_ID;
	int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
	if (fd < 0)
		return status_for_errno(errno);
	timeval patience = {kConnectSeconds, 0};
	setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &patience, sizeof(patience));
	if (connect(fd, reinterpret_cast<sockaddr*>(&address), length) != 0) {
		close(fd);
		PortDirectory::RemoveIfStale(path);
		return B_BAD_PORT_ID;
	}
	ucred credentials;
	if (!peer_credentials(fd, &credentials) || credentials.uid != getuid() ||
		credentials.pid != team) {
		close(fd);
		return B_BAD_PORT_ID;
	}
	try {
		*connection = std::make_shared<TeamConnection>(fd, team);
		std::lock_guard<std::mutex> lock(fLock);
		status_t status = _StartPolling();
		if (status != B_OK)
			return status;
		_Adopt(*connection);
	} catch (const std::exception&) {
		if (*connection == nullptr)
			close(fd);
		return B_NO_MEMORY;
	}
	return B_OK;
}

status_t
TeamPort::_StartPolling()
{
	if (fWake >= 0)
		return B_OK;
	int wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
	if (wake < 0)
		return status_for_errno(errno);
	fWake = wake;
	try {
		std::thread(&TeamPort::_PollLoop, this).detach();
	} catch (const std::exception&) {
		close(wake);
		fWake = -1;
		return B_NO_MEMORY;
	}
	return B_OK;
}

void
TeamPort::_Wake()
{
	uint64_t one = 1;
	// Fails only when the counter is full, and then the loop wakes anyway.
	if (fWake >= 0 && write(fWake, &one, sizeof(one)) != sizeof(one)) {
	}
}

void
TeamPort::_Adopt(const std::shared_ptr<TeamConnection>& connection)
{
	// A peer may hold several connections (its own and ours, or a probe);
	// any open one carries messages both ways.
	auto [first, last] = fConnections.equal_range(connection->Peer());
	if (size_t(std::distance(first, last)) >= kMaxConnectionsPerPeer)
		_CloseIdlest(first, last);
	if (fConnections.size() >= kMaxConnections)
		_CloseIdlest(fConnections.begin(), fConnections.end());
	fConnections.emplace(connection->Peer(), connection);
	_Wake();
}

void
TeamPort::_CloseIdlest(Connections::iterator first, Connections::iterator last)
{
	auto idlest = std::min_element(first, last, [](const auto& a, const auto& b) {
		return a.second->LastActive() < b.second->LastActive();
	});
	if (idlest == last)
		return;
	idlest->second->Shutdown();
	fConnections.erase(idlest);
}

void
TeamPort::_Forget(const std::shared_ptr<TeamConnection>& connection)
{
	std::lock_guard<std::mutex> lock(fLock);
	auto [first, last] = fConnections.equal_range(connection->Peer());
	for (auto it = first; it != last; ++it) {
		if (it->second == connection) {
			fConnections.erase(it);
			return;
		}
	}
}

void
TeamPort::_PollLoop()
{
	std::vector<pollfd> entries;
	std::vector<std::shared_ptr<TeamConnection>> polled;
	for (;;) {
		int listener;
		entries.clear();
		polled.clear();
		{
			std::lock_guard<std::mutex> lock(fLock);
			for (int retired : fRetiredListeners)
				close(retired);
			fRetiredListeners.clear();
			listener = fListener;
			entries.push_back({fWake, POLLIN, 0});
			entries.push_back({listener, POLLIN, 0});
			for (const auto& [team, connection] : fConnections) {
				polled.push_back(connection);
				short events = POLLIN | (connection->HasPending() ? POLLOUT : 0);
				entries.push_back({connection->FD(), events, 0});
			}
		}
		if (poll(entries.data(), entries.size(), -1) < 0)
			continue;
		uint64_t count;
		if (entries[0].revents != 0 && read(entries[0].fd, &count, sizeof(count)) < 0) {
			// Nothing to read after all; the next round polls it again.
		}
		if (entries[1].revents != 0)
			_Accept(listener);
		for (size_t i = 0; i < polled.size(); i++) {
			short events = entries[i + 2].revents;
			if ((events & POLLOUT) != 0)
				polled[i]->Flush();
			if ((events & (POLLIN | POLLHUP | POLLERR)) != 0)
				_Read(polled[i]);
		}
		_LimitPartialBytes();
	}
}

void
TeamPort::_Accept(int listener)
{
	for (int i = 0; i < kAcceptsPerRound; i++) {
		int fd = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
		if (fd < 0) {
			if (errno == EINTR || errno == ECONNABORTED)
				continue;
			// Out of descriptors or memory: give the peers time to let go.
			if (errno != EAGAIN && errno != EWOULDBLOCK)
				snooze(10000);
			return;
		}
		ucred credentials;
		if (!peer_credentials(fd, &credentials) || credentials.uid != getuid()) {
			close(fd);
			continue;
		}
		std::shared_ptr<TeamConnection> connection;
		try {
			connection = std::make_shared<TeamConnection>(fd, credentials.pid);
			std::lock_guard<std::mutex> lock(fLock);
			_Adopt(connection);
		} catch (const std::exception&) {
			// Refused for want of memory; the peer sees the end.
			if (connection == nullptr)
				close(fd);
		}
	}
}

void
TeamPort::_Read(const std::shared_ptr<TeamConnection>& connection)
{
	bool open = true;
	try {
		// Frames that came before the end of the stream are still handed on.
		open = connection->Receive();
		std::string& bytes = connection->Partial();
		size_t done = 0;
		while (bytes.size() - done >= WireFrame::kSizeFieldLength) {
			uint32 size;
			if (WireFrame::PayloadSize(bytes.data() + done, &size) != B_OK) {
				open = false;
				break;
			}
			if (bytes.size() - done - WireFrame::kSizeFieldLength < size)
				break;
			auto message = std::make_unique<DeliveredMessage>(BMessage());
			port_id port;
			if (WireFrame::DecodePayload(bytes.data() + done + WireFrame::kSizeFieldLength, size,
										 &port, message.get()) != B_OK) {
				open = false;
				break;
			}
			_Deliver(port, std::move(message));
			done += WireFrame::kSizeFieldLength + size;
		}
		bytes.erase(0, done);
		if (bytes.empty() && bytes.capacity() > kKeptBufferSize)
			bytes = std::string();
	} catch (const std::bad_alloc&) {
		// The peer's frame did not fit in memory; it loses its connection.
		open = false;
	}
	if (open && !connection->IsShutDown())
		return;
	connection->Shutdown();
	connection->Partial() = std::string();
	_Forget(connection);
}

void
TeamPort::_LimitPartialBytes()
{
	std::lock_guard<std::mutex> lock(fLock);
	size_t total = 0;
	for (const auto& [team, connection] : fConnections)
		total += connection->Partial().size();
	while (total > kMaxPartialBytes) {
		auto idlest = fConnections.end();
		for (auto it = fConnections.begin(); it != fConnections.end(); ++it) {
			if (!it->second->Partial().empty() &&
				(idlest == fConnections.end() ||
				 it->second->LastActive() < idlest->second->LastActive())) {
				idlest = it;
			}
		}
		total -= idlest->second->Partial().size();
		idlest->second->Shutdown();
		idlest->second->Partial() = std::string();
		fConnections.erase(idlest);
	}
}

void
TeamPort::_Deliver(port_id id, std::unique_ptr<BMessage> message)
{
	std::shared_ptr<MessagePort> port;
	if (id == kApplicationPort) {
		std::lock_guard<std::mutex> lock(fLock);
		if (fApplication != nullptr)
			port = MessagePort::FindFor(fApplication);
	} else {
		port = MessagePort::Find(id);
	}
	int32 token = MessagePrivate(message.get()).GetTarget();
	if (port == nullptr || (token >= 0 && !handler_token_exists(token)))
		return;
	// Whatever is not delivered is deleted here, which answers a waiting
	// sender with B_NO_REPLY.
	port->Write(std::move(message));
}

status_t
publish_team_port(const char* signature, BLooper* application)
{
	return TeamPort::Default().Publish(signature, application);
}

void
unpublish_team_port()
{
	TeamPort::Default().Unpublish();
}

} // namespace BPrivate
