#include "MessagePort.h"

#include <unistd.h>

#include <chrono>
#include <new>
#include <unordered_map>

#include <Message.h>
#include <OS.h>

namespace {

struct PortTable {
	std::mutex lock;
	std::unordered_map<port_id, std::shared_ptr<BPrivate::MessagePort>> ports; // guarded by lock
	std::unordered_map<const BLooper*, port_id> looperPorts;                    // guarded by lock
	port_id next = 1;                                                          // guarded by lock
};

// Never destroyed: looper threads may still run while statics are torn down.
PortTable&
table()
{
	static PortTable& sTable = *new PortTable;
	return sTable;
}

void
unregister_port(port_id id, const BLooper* looper)
{
	PortTable& ports = table();
	std::lock_guard<std::mutex> lock(ports.lock);
	ports.ports.erase(id);
	if (looper != nullptr)
		ports.looperPorts.erase(looper);
}

} // namespace

namespace BPrivate {

std::shared_ptr<MessagePort>
MessagePort::Create(BLooper* looper)
{
	PortTable& ports = table();
	std::lock_guard<std::mutex> lock(ports.lock);
	auto port = std::make_shared<MessagePort>(ports.next, looper);
	ports.ports.emplace(port->ID(), port);
	if (looper != nullptr) {
		try {
			ports.looperPorts[looper] = port->ID();
		} catch (const std::bad_alloc&) {
			ports.ports.erase(port->ID());
			throw;
		}
	}
	ports.next++;
	return port;
}

std::shared_ptr<MessagePort>
MessagePort::Find(port_id id)
{
	PortTable& ports = table();
	std::lock_guard<std::mutex> lock(ports.lock);
	auto found = ports.ports.find(id);
	return found != ports.ports.end() ? found->second : nullptr;
}

std::shared_ptr<MessagePort>
MessagePort::FindFor(const BLooper* looper)
{
	PortTable& ports = table();
	std::lock_guard<std::mutex> lock(ports.lock);
	auto found = ports.looperPorts.find(looper);
	if (found == ports.looperPorts.end())
		return nullptr;
	return ports.ports.at(found->second);
}

MessagePort::MessagePort(port_id id, BLooper* looper)
	:
	fID(id),
	fThread(-1),
	fLooper(looper),
	fOpen(true),
	fClosed(false)
{
}

MessagePort::~MessagePort() = default;

bool
MessagePort::IsOpen() const
{
	std::lock_guard<std::mutex> lock(fLock);
	return fOpen;
}

BLooper*
MessagePort::Looper() const
{
	std::lock_guard<std::mutex> lock(fLock);
	return fLooper;
}

status_t
MessagePort::Write(std::unique_ptr<BMessage>&& message)
{
	std::lock_guard<std::mutex> lock(fLock);
	if (!fOpen)
		return B_BAD_PORT_ID;
	try {
		fQueue.push_back(std::move(message));
	} catch (const std::bad_alloc&) {
		return B_NO_MEMORY;
	}
	fChanged.notify_all();
	if (fWakeHook)
		fWakeHook();
	return B_OK;
}

status_t
MessagePort::Read(std::unique_ptr<BMessage>* message, bigtime_t timeout)
{
	std::unique_lock<std::mutex> lock(fLock);
	auto ready = [this] { return !fOpen || !fQueue.empty(); };
	if (timeout == B_INFINITE_TIMEOUT)
		fChanged.wait(lock, ready);
	else if (!fChanged.wait_for(lock, std::chrono::microseconds(timeout > 0 ? timeout : 0), ready))
		return timeout > 0 ? B_TIMED_OUT : B_WOULD_BLOCK;
	if (!fOpen)
		return B_BAD_PORT_ID;
	*message = std::move(fQueue.front());
	fQueue.pop_front();
	return B_OK;
}

void
MessagePort::Close()
{
	std::deque<std::unique_ptr<BMessage>> dropped;
	const BLooper* looper;
	{
		std::lock_guard<std::mutex> lock(fLock);
		if (!fOpen)
			return;
		fOpen = false;
		looper = fLooper;
		fLooper = nullptr;
		fWakeHook = nullptr;
		dropped.swap(fQueue);
	}
	unregister_port(fID, looper);
	dropped.clear();
	std::lock_guard<std::mutex> lock(fLock);
	fClosed = true;
	fChanged.notify_all();
}

void
MessagePort::WaitForClose()
{
	std::unique_lock<std::mutex> lock(fLock);
	fChanged.wait(lock, [this] { return fClosed; });
}

void
MessagePort::SetWakeHook(std::function<void()> hook)
{
	std::lock_guard<std::mutex> lock(fLock);
	if (fOpen)
		fWakeHook = std::move(hook);
}

status_t
MessagePort::LockLooper(bigtime_t timeout)
{
	if (fLooperLock.IsLocked()) {
		fLooperLock.Lock();
		return B_OK;
	}
	if (timeout == B_INFINITE_TIMEOUT)
		fLooperLock.Lock();
	else if (fLooperLock.LockWithTimeout(timeout) != B_OK)
		return B_TIMED_OUT;
	if (IsOpen())
		return B_OK;
	fLooperLock.Unlock();
	return B_BAD_PORT_ID;
}

void
MessagePort::UnlockLooperFully()
{
	for (int32 count = fLooperLock.CountLocks(); count > 0; count--)
		fLooperLock.Unlock();
}

team_id
current_team()
{
	static const team_id sTeam = getpid();
	return sTeam;
}

} // namespace BPrivate
