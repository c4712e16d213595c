#ifndef HANDLER_H
#define HANDLER_H

#include <SupportDefs.h>

#include <atomic>
#include <optional>
#include <string>

class BLooper;
class BMessage;
class BHandler;

namespace BPrivate {
int32 handler_token(const BHandler* handler);
}

// An object that receives messages. It belongs to at most one looper, which
// dispatches the messages addressed to it. Every handler has a token unique
// in this process, by which messengers and message headers name it.
//
// Unless stated otherwise, methods are called with the handler's looper
// locked (or before the handler is added to a looper).
class BHandler {
public:
	BHandler(const char* name = nullptr);
	// Removes the handler from its looper first.
	virtual ~BHandler();

	BHandler(const BHandler&) = delete;
	BHandler& operator=(const BHandler&) = delete;

	// Default: passes the message to the next handler; at the end of the
	// chain, answers B_MESSAGE_NOT_UNDERSTOOD to a sender that waits for a
	// reply or asked a scripting question, and drops the message otherwise.
	virtual void MessageReceived(BMessage* message);

	// The looper the handler belongs to, or null. Thread-safe.
	BLooper* Looper() const { return fLooper; }

	void SetName(const char* name);
	// Null when the handler has no name. The pointer stays valid until the
	// name is changed.
	const char* Name() const;

	// The handler that gets the messages this one does not handle. It must
	// belong to the same looper; null ends the chain. A handler that would
	// close a loop in the chain is refused (the chain stays as it was).
	virtual void SetNextHandler(BHandler* handler);

	// Locks the handler's looper, checking that the handler still belongs to
	// it once the lock is held; false when there is no looper to lock.
	// Thread-safe.
	bool LockLooper();

private:
	friend class BLooper;
	friend int32 BPrivate::handler_token(const BHandler* handler);

	std::optional<std::string> fName;
	std::atomic<BLooper*> fLooper;
	BHandler* fNextHandler;
	const int32 fToken;
};

namespace BPrivate {

// The token of handler.
inline int32
handler_token(const BHandler* handler)
{
	return handler->fToken;
}

} // namespace BPrivate

#endif // HANDLER_H
