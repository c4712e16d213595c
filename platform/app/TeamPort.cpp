#include "TeamPort.h"

#include <errno.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <new>
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

// Payload bytes are read in pieces of this size, so a peer that announces a
// large frame costs memory only for the bytes it really sends.
const size_t kReadChunk = 1 << 20;

// The peer's user and process, or false when the socket cannot tell.
bool
peer_credentials(int fd, ucred* credentials)
{
	socklen_t length = sizeof(*credentials);
	return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, credentials, &length) == 0
		&& length == sizeof(*credentials);
}

} // namespace

namespace BPrivate {

TeamPort&
TeamPort::Default()
{
	// Never destroyed: reader threads may still run while statics go away.
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
	status_t status = PortDirectory::SocketPath(signature, getpid(), &path);
	if (status != B_OK)
		return status;
	sockaddr_un address;
	size_t length;
	PortDirectory::MakeAddress(path, &address, &length);
	int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
	if (listener < 0)
		return status_for_errno(errno);
	// A file under our own process id can only be left by a dead process.
	unlink(path.c_str());
	int wake = -1;
	if (bind(listener, reinterpret_cast<sockaddr*>(&address), length) != 0
		|| listen(listener, SOMAXCONN) != 0
		|| (wake = eventfd(0, EFD_CLOEXEC)) < 0) {
		status = status_for_errno(errno);
		close(listener);
		unlink(path.c_str());
		return status;
	}
	try {
		fAcceptThread = std::thread(&TeamPort::_AcceptLoop, this, listener, wake);
	} catch (const std::exception&) {
		close(listener);
		close(wake);
		unlink(path.c_str());
		return B_NO_MEMORY;
	}
	fListener = listener;
	fWake = wake;
	fSocketPath = path;
	fApplication = application;
	return B_OK;
}

void
TeamPort::Unpublish()
{
	std::thread acceptThread;
	int listener, wake;
	std::string path;
	{
		std::lock_guard<std::mutex> lock(fLock);
		if (fListener < 0)
			return;
		acceptThread = std::move(fAcceptThread);
		listener = std::exchange(fListener, -1);
		wake = std::exchange(fWake, -1);
		path = std::move(fSocketPath);
		fApplication = nullptr;
	}
	uint64_t one = 1;
	// The accept thread polls this descriptor; a failed write leaves it
	// running forever, which only happens when eventfd's counter is full.
	if (write(wake, &one, sizeof(one)) == sizeof(one))
		acceptThread.join();
	else
		acceptThread.detach();
	unlink(path.c_str());
	close(listener);
	close(wake);
}

status_t
TeamPort::Send(team_id team, port_id port, const BMessage& message, bigtime_t timeout,
	port_id replyPort)
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
	status = connection->Write(frame, timeout);
	if (connection->IsShutDown())
		_Forget(connection);
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
	if (connect(fd, reinterpret_cast<sockaddr*>(&address), length) != 0) {
		close(fd);
		PortDirectory::RemoveIfStale(path);
		return B_BAD_PORT_ID;
	}
	ucred credentials;
	if (!peer_credentials(fd, &credentials) || credentials.uid != getuid()
		|| credentials.pid != team) {
		close(fd);
		return B_BAD_PORT_ID;
	}
	try {
		*connection = std::make_shared<TeamConnection>(fd, team);
		_Adopt(*connection);
	} catch (const std::exception&) {
		if (*connection == nullptr)
			close(fd);
		else
			(*connection)->Shutdown();
		return B_NO_MEMORY;
	}
	return B_OK;
}

// Throws std::bad_alloc or std::system_error.
void
TeamPort::_Adopt(const std::shared_ptr<TeamConnection>& connection)
{
	{
		// A peer may hold several connections (its own and ours, or a
		// probe); any open one carries messages both ways.
		std::lock_guard<std::mutex> lock(fLock);
		fConnections.emplace(connection->Peer(), connection);
	}
	std::thread(&TeamPort::_ReadLoop, this, connection).detach();
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
TeamPort::_AcceptLoop(int listener, int wake)
{
	for (;;) {
		pollfd entries[2] = {{listener, POLLIN, 0}, {wake, POLLIN, 0}};
		if (poll(entries, 2, -1) < 0)
			continue;
		if (entries[1].revents != 0)
			return;
		int fd = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
		if (fd < 0) {
			// Out of descriptors or memory: give the peers time to let go.
			if (errno != EINTR && errno != ECONNABORTED)
				snooze(10000);
			continue;
		}
		ucred credentials;
		if (!peer_credentials(fd, &credentials) || credentials.uid != getuid()) {
			close(fd);
			continue;
		}
		std::shared_ptr<TeamConnection> connection;
		try {
			connection = std::make_shared<TeamConnection>(fd, credentials.pid);
			_Adopt(connection);
		} catch (const std::exception&) {
			// Refused for want of memory or threads; the peer sees the end.
			if (connection == nullptr)
				close(fd);
			else
				connection->Shutdown();
		}
	}
}

void
TeamPort::_ReadLoop(std::shared_ptr<TeamConnection> connection)
{
	try {
		std::string payload;
		char sizeField[WireFrame::kSizeFieldLength];
		while (connection->ReadFully(sizeField, sizeof(sizeField))) {
			uint32 size;
			if (WireFrame::PayloadSize(sizeField, &size) != B_OK)
				break;
			payload.clear();
			bool complete = true;
			while (complete && payload.size() < size) {
				size_t start = payload.size();
				payload.resize(start + std::min<size_t>(size - start, kReadChunk));
				complete = connection->ReadFully(payload.data() + start, payload.size() - start);
			}
			auto message = std::make_unique<DeliveredMessage>(BMessage());
			port_id port;
			if (!complete || WireFrame::DecodePayload(payload.data(), size, &port, message.get())
				!= B_OK) {
				break;
			}
			_Deliver(port, std::move(message));
			if (payload.capacity() > kReadChunk)
				payload = std::string();
		}
	} catch (const std::bad_alloc&) {
		// The peer's frame did not fit in memory; it loses its connection.
	}
	connection->Shutdown();
	_Forget(connection);
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
