#ifndef MESSENGER_H
#define MESSENGER_H

#include <OS.h>
#include <SupportDefs.h>

class BHandler;
class BLooper;
class BMessage;

namespace BPrivate {
class ReplyQueue;
} // namespace BPrivate

// The address of a handler: the port of its looper, its token and the team
// (process) it lives in. A messenger to the looper itself without a handler
// targets the looper's preferred handler. It is a value: copying it is cheap
// and it stays safe to use after its target is gone (sends then fail with
// B_BAD_PORT_ID). All methods are thread-safe.
//
// Sending copies the message (the caller keeps it) and never blocks on a
// busy target: a local port has no capacity limit.
class BMessenger {
public:
	constexpr BMessenger() : fPort(-1), fHandlerToken(-1), fTeam(-1) {}
	// A messenger to handler, which must belong to a looper (to looper when
	// it is given), or to looper's preferred handler when handler is null.
	// result: B_OK, B_BAD_VALUE (neither given, or the looper is gone),
	// B_MISMATCHED_VALUES (the handler has no looper, or another one).
	BMessenger(const BHandler* handler, const BLooper* looper = nullptr,
			   status_t* result = nullptr);
	// A messenger to the preferred handler of a running application with
	// that signature: the given team, or the one that started first when
	// team is -1. result: B_OK, B_BAD_VALUE (no signature),
	// B_NAME_NOT_FOUND (no such application runs).
	BMessenger(const char* signature, team_id team = -1, status_t* result = nullptr);

	// True while the target looper exists (for another team: while a
	// connection to that team is open or can be opened).
	bool IsValid() const;
	bool IsTargetLocal() const;
	team_id Team() const { return fTeam; }

	// The target handler (null for the preferred handler, or when it is gone)
	// and, in *looper, its looper (null when gone). The pointers may dangle
	// as soon as the target quits; lock it to use them.
	BHandler* Target(BLooper** looper) const;
	// Locks the target's looper if it still exists.
	bool LockTarget() const;

	// Asynchronous sends. Replies go to replyTo, or to be_app_messenger when
	// it is not given. B_OK once queued; B_BAD_PORT_ID when the target looper
	// is gone; B_BAD_HANDLER when the target handler is gone; B_BAD_VALUE
	// for a null message.
	status_t SendMessage(uint32 command, BHandler* replyTo = nullptr) const;
	status_t SendMessage(BMessage* message, BHandler* replyTo = nullptr,
						 bigtime_t timeout = B_INFINITE_TIMEOUT) const;
	status_t SendMessage(BMessage* message, BMessenger replyTo,
						 bigtime_t timeout = B_INFINITE_TIMEOUT) const;

	// Synchronous sends: wait up to replyTimeout for the reply and store it
	// in *reply. When the target deletes the message without answering, the
	// reply is a B_NO_REPLY message and the result B_OK. Results besides the
	// asynchronous ones: B_TIMED_OUT when no reply came in time;
	// B_WOULD_BLOCK at once when the calling thread runs or holds the lock of
	// the target looper, which could never answer. A local delivery never
	// waits, so deliveryTimeout matters only for remote targets.
	status_t SendMessage(uint32 command, BMessage* reply) const;
	status_t SendMessage(BMessage* message, BMessage* reply,
						 bigtime_t deliveryTimeout = B_INFINITE_TIMEOUT,
						 bigtime_t replyTimeout = B_INFINITE_TIMEOUT) const;

	bool operator==(const BMessenger& other) const;
	bool operator!=(const BMessenger& other) const { return !(*this == other); }
	bool operator<(const BMessenger& other) const;

private:
	friend class BLooper;
	friend class BMessage;
	friend class BPrivate::ReplyQueue;

	void _SetTo(team_id team, port_id port, int32 token);
	status_t _Deliver(const BMessage& message, const BMessenger& replyTo, bool isReply) const;
	status_t _SendAndWait(const BMessage& message, BMessage* reply, bool isReply,
						  bigtime_t replyTimeout) const;
	// Sends a copy of message that waits for its reply at replyPort.
	status_t _Request(const BMessage& message, port_id replyPort, bool isReply) const;

	port_id fPort;
	int32 fHandlerToken;
	team_id fTeam;
};

// The application's messenger; replies without a replyTo handler go there.
// Invalid until the application object sets it.
extern BMessenger be_app_messenger;

#endif // MESSENGER_H
