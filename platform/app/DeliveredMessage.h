#ifndef DELIVERED_MESSAGE_H
#define DELIVERED_MESSAGE_H

#include <new>

#include <AppDefs.h>
#include <Message.h>

namespace BPrivate {

// The copy of a message that travels through a port. Whoever deletes it
// unanswered (the looper after dispatch, a handler that detached it, a port
// that closes) makes its waiting sender's reply B_NO_REPLY, so nobody waits
// for an answer that will not come.
class DeliveredMessage : public BMessage {
public:
	explicit DeliveredMessage(const BMessage& message) : BMessage(message) {}

	~DeliveredMessage() override
	{
		if (!IsSourceWaiting())
			return;
		try {
			// Nobody is left to tell when even this reply cannot be delivered.
			SendReply(B_NO_REPLY);
		} catch (const std::bad_alloc&) {
			// The sender waits until its time-out, if it gave one.
		}
	}
};

} // namespace BPrivate

#endif // DELIVERED_MESSAGE_H
