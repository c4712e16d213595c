#ifndef LOOPER_H
#define LOOPER_H

#include <Handler.h>
#include <OS.h>
#include <SupportDefs.h>

#include <memory>
#include <vector>

class BMessage;

namespace BPrivate {
class LooperPrivate;
class LooperRunner;
class MessagePort;
} // namespace BPrivate

// A message loop: a queue of messages (its port) and the handlers they are
// for. Messages are dispatched one at a time, in the order they arrived,
// with the looper locked, on the thread that runs the looper.
//
// A looper is a heap object. It is locked by the thread that constructs it;
// Run() starts the loop and releases that lock. It deletes itself in Quit().
//
// Lock(), Unlock(), LockWithTimeout(), PostMessage(), Quit() and the
// queries marked thread-safe may be called from any thread, even on a
// looper that may already be gone: they check that it still exists before
// touching it. Everything else needs the looper locked.
class BLooper : public BHandler {
public:
	BLooper(const char* name = nullptr);
	// Deletes the queued messages (waiting senders get B_NO_REPLY) and
	// releases the handlers without deleting them. Only Quit(), or the
	// creator of a looper that never ran, deletes a looper.
	virtual ~BLooper();

	// Post a copy of message (the caller keeps message); they never block.
	// Without a handler argument, or with a null handler (the preferred
	// handler), the looper itself is the target. Replies go to replyTo, or
	// to the application when it is null. B_OK, B_MISMATCHED_VALUES when
	// handler belongs to another looper, B_BAD_VALUE when the looper is gone.
	status_t PostMessage(uint32 command);
	status_t PostMessage(BMessage* message);
	status_t PostMessage(uint32 command, BHandler* handler, BHandler* replyTo = nullptr);
	status_t PostMessage(BMessage* message, BHandler* handler, BHandler* replyTo = nullptr);

	// Hands message to handler. The default quits on B_QUIT_REQUESTED for
	// the looper itself (QuitRequested(), a reply with bool "result" to a
	// waiting sender, then Quit() when it agreed) and passes everything else
	// to handler->MessageReceived().
	virtual void DispatchMessage(BMessage* message, BHandler* handler);

	// The message being dispatched, owned by the looper; null outside
	// dispatch. DetachCurrentMessage() hands it to the caller, who then
	// deletes it (a waiting sender gets B_NO_REPLY if it was not answered).
	BMessage* CurrentMessage() const;
	BMessage* DetachCurrentMessage();

	// AddHandler() ignores a handler that already belongs to a looper; it
	// makes the looper the handler's next handler. RemoveHandler() answers
	// false for a handler of another looper. Neither adopts nor deletes the
	// handler.
	void AddHandler(BHandler* handler);
	bool RemoveHandler(BHandler* handler);

	// Starts dispatching (by default on a new thread) and releases the lock
	// the constructor took. Answers the dispatching thread, or an error.
	// A second call changes nothing and answers the same thread.
	virtual thread_id Run();

	// Ends the looper and deletes it. Thread-safe; the caller should hold
	// the lock.
	// - Never run: deleted at once; queued messages are dropped.
	// - From the looper's own thread during a dispatch: the looper is
	//   deleted when that dispatch returns; later messages are dropped.
	// - From any other thread: the messages already queued are dispatched
	//   first (QuitRequested() is not asked), messages arriving later are
	//   dropped, and Quit() returns once the looper is deleted. It releases
	//   the caller's locks while it waits.
	// Dropped messages give their waiting senders B_NO_REPLY.
	virtual void Quit();
	// Asked before a B_QUIT_REQUESTED message quits the looper; default true.
	virtual bool QuitRequested();

	// The recursive lock. Lock() waits and answers false when the looper is
	// gone (or goes while waiting). LockWithTimeout() answers B_OK,
	// B_TIMED_OUT, or B_BAD_VALUE when the looper is gone. Unlock() by a
	// thread that does not hold the lock is ignored.
	bool Lock();
	status_t LockWithTimeout(bigtime_t timeout);
	void Unlock();
	// By the calling thread.
	bool IsLocked() const;
	// The dispatching thread; -1 before Run().
	thread_id Thread() const;
	team_id Team() const;

private:
	friend class BPrivate::LooperPrivate;

	status_t _PostMessage(BMessage* message, BHandler* handler, BHandler* replyTo);
	status_t _DispatchNextMessage(bigtime_t timeout);
	void _Dispatch(std::unique_ptr<BMessage> message);
	BHandler* _HandlerFor(BMessage* message);
	void _QuitRequested(BMessage* message);

	std::shared_ptr<BPrivate::MessagePort> fPort;
	std::unique_ptr<BPrivate::LooperRunner> fRunner;
	std::vector<BHandler*> fHandlers;          // guarded by the looper's lock
	std::unique_ptr<BMessage> fCurrentMessage; // guarded by the looper's lock
	int32 fDispatchDepth;                      // guarded by the looper's lock
	bool fTerminating;                         // guarded by the looper's lock
	bool fRunCalled;                           // guarded by the looper's lock
};

#endif // LOOPER_H
