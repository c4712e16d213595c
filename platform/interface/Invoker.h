#ifndef INVOKER_H
#define INVOKER_H

#include <Messenger.h>
#include <SupportDefs.h>

#include <memory>

class BHandler;
class BLooper;
class BMessage;

// Sends a model message to a target when invoked. Adopts the message it is
// given. Not thread-safe: use it from its owner's looper.
class BInvoker {
public:
	BInvoker();
	BInvoker(BMessage* message, const BHandler* handler, const BLooper* looper = nullptr);
	virtual ~BInvoker();

	// Adopts message (null: invoking sends nothing).
	virtual status_t SetMessage(BMessage* message);
	BMessage* Message() const { return fMessage.get(); }
	uint32 Command() const;

	// The target: a handler (of looper, or of its own looper), a looper's
	// preferred handler, or a messenger. B_OK, or why the target is not
	// valid (it is then unset).
	virtual status_t SetTarget(const BHandler* handler, const BLooper* looper = nullptr);
	virtual status_t SetTarget(BMessenger messenger);
	bool IsTargetLocal() const { return fMessenger.IsTargetLocal(); }
	BHandler* Target(BLooper** looper = nullptr) const;
	BMessenger Messenger() const { return fMessenger; }

	// Sends a copy of message, or of the model message, with "when" and a
	// "source" pointer to this invoker's owner added. B_BAD_VALUE when there
	// is no message, else the send status.
	virtual status_t Invoke(BMessage* message = nullptr);

protected:
	// The object named in "source": the control or menu item.
	virtual const void* _Source() const { return this; }
	// Adds the fields every invocation carries.
	status_t _Send(BMessage* message);

private:
	std::unique_ptr<BMessage> fMessage;
	BMessenger fMessenger;
};

#endif // INVOKER_H
