#ifndef MESSAGE_PORT_H
#define MESSAGE_PORT_H

#include <Locker.h>
#include <SupportDefs.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class BLooper;
class BMessage;

namespace BPrivate {

// The in-process port of a looper, or of a thread waiting for a reply: a
// queue of messages addressed by a port id that is unique in this team.
// Everyone who sends to the port shares it, so it outlives its looper; once
// closed it refuses messages with B_BAD_PORT_ID. A looper port also carries
// the looper's lock and the thread that dispatches its messages, so that a
// messenger can lock or inspect a looper that may be gone.
// All methods are thread-safe.
class MessagePort {
public:
	// A registered port; looper is null for a reply port. Throws
	// std::bad_alloc when memory runs out.
	static std::shared_ptr<MessagePort> Create(BLooper* looper);
	// The open port with that id, or null.
	static std::shared_ptr<MessagePort> Find(port_id id);
	// The open port of a live looper, or null; never dereferences looper.
	static std::shared_ptr<MessagePort> FindFor(const BLooper* looper);

	MessagePort(port_id id, BLooper* looper);
	~MessagePort();

	MessagePort(const MessagePort&) = delete;
	MessagePort& operator=(const MessagePort&) = delete;

	port_id ID() const { return fID; }
	bool IsOpen() const;
	// The looper while the port is open, else null.
	BLooper* Looper() const;

	// Queues message and takes it over. Never blocks. On failure
	// (B_BAD_PORT_ID once closed) message stays with the caller.
	status_t Write(std::unique_ptr<BMessage>&& message);
	// Takes the oldest message. timeout: B_INFINITE_TIMEOUT waits, 0 polls
	// (B_WOULD_BLOCK when empty), else B_TIMED_OUT after that many
	// microseconds. B_BAD_PORT_ID once the port is closed.
	status_t Read(std::unique_ptr<BMessage>* message, bigtime_t timeout);
	// Refuses further messages, unregisters the id, deletes what is queued,
	// then wakes WaitForClose().
	void Close();
	void WaitForClose();

	// Called after every message queued, with the queue locked: it must not
	// block nor use this port. Replaces the previous hook; null removes it.
	void SetWakeHook(std::function<void()> hook);

	// The looper's recursive lock. LockLooper() succeeds only while the port
	// is open (or when the caller holds the lock already): B_BAD_PORT_ID once
	// closed, B_TIMED_OUT when timeout passes first.
	BLocker& LooperLock() { return fLooperLock; }
	status_t LockLooper(bigtime_t timeout);
	void UnlockLooperFully();

	// The thread that dispatches the looper's messages; -1 before it runs.
	thread_id Thread() const { return fThread; }
	void SetThread(thread_id thread) { fThread = thread; }

private:
	const port_id fID;
	BLocker fLooperLock;
	std::atomic<thread_id> fThread;

	mutable std::mutex fLock;
	std::condition_variable fChanged;
	std::deque<std::unique_ptr<BMessage>> fQueue; // guarded by fLock
	BLooper* fLooper;                             // guarded by fLock
	bool fOpen;                                   // guarded by fLock
	bool fClosed;                                 // guarded by fLock
	std::function<void()> fWakeHook;              // guarded by fLock
};

// This process's team id.
team_id current_team();

} // namespace BPrivate

#endif // MESSAGE_PORT_H
