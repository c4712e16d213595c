#ifndef MESSAGE_PRIVATE_H
#define MESSAGE_PRIVATE_H

#include <Message.h>

// Handler tokens: no handler, and the looper's preferred handler.
#define B_NULL_TOKEN (-1)
#define B_PREFERRED_TOKEN (-2)

namespace BPrivate {

// Delivery state of a message. It travels in the header of a flattened
// message: target, reply address and the four flags, and the specifier stack
// as "the last specifier added is current". wasDelivered does not travel: the
// receiving looper sets it.
struct MessageHeader {
	int32 target = B_NULL_TOKEN;
	bool preferred = false;
	port_id replyPort = -1;
	int32 replyTarget = B_NULL_TOKEN;
	team_id replyTeam = -1;
	bool replyRequired = false;
	bool replyDone = false;
	bool isReply = false;
	bool wasDelivered = false;
	bool hasSpecifiers = false;
	int32 currentSpecifier = -1;
};

// Access to a message's delivery state for the looper, messenger and port
// code. Holds a pointer to the message, which must outlive it; not
// thread-safe, like the message itself.
class MessagePrivate {
public:
	explicit MessagePrivate(BMessage* message) : fMessage(message) {}
	explicit MessagePrivate(BMessage& message) : fMessage(&message) {}

	// The handler the message is for: a token, or the looper's preferred
	// handler (preferred set, or the token B_PREFERRED_TOKEN).
	int32 GetTarget() const { return _Header().target; }
	bool UsePreferredTarget() const
	{
		return _Header().preferred || _Header().target == B_PREFERRED_TOKEN;
	}
	void SetTarget(int32 token, bool preferred = false)
	{
		_Header().target = token;
		_Header().preferred = preferred;
	}

	// Where replies go: port, handler token and team of the sender.
	port_id GetReplyPort() const { return _Header().replyPort; }
	int32 GetReplyTarget() const { return _Header().replyTarget; }
	team_id GetReplyTeam() const { return _Header().replyTeam; }
	void SetReply(team_id team, port_id port, int32 token)
	{
		_Header().replyTeam = team;
		_Header().replyPort = port;
		_Header().replyTarget = token;
	}

	bool IsReplyRequired() const { return _Header().replyRequired; }
	void SetReplyRequired(bool required) { _Header().replyRequired = required; }
	bool IsReplyDone() const { return _Header().replyDone; }
	void SetReplyDone(bool done) { _Header().replyDone = done; }
	void SetIsReply(bool isReply) { _Header().isReply = isReply; }
	void SetWasDelivered(bool delivered) { _Header().wasDelivered = delivered; }

private:
	MessageHeader& _Header() const { return *fMessage->fHeader; }

	BMessage* fMessage;
};

} // namespace BPrivate

#endif // MESSAGE_PRIVATE_H
