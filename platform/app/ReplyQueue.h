#ifndef REPLY_QUEUE_H
#define REPLY_QUEUE_H

#include <OS.h>
#include <SupportDefs.h>

#include <memory>

class BMessage;
class BMessenger;

namespace BPrivate {

class MessagePort;

// Synchronous requests sent ahead of their replies: each request Send()
// delivers waits for its reply here, and Next() takes the replies in the
// order they come. A target that handles its messages in order answers
// them in the order they were sent, so a thread can keep several requests
// on their way to a slow peer and still wait for every answer. Not
// thread-safe.
class ReplyQueue {
public:
	// Throws std::bad_alloc.
	ReplyQueue();
	// Closes the queue: replies still on their way are dropped.
	~ReplyQueue();

	ReplyQueue(const ReplyQueue&) = delete;
	ReplyQueue& operator=(const ReplyQueue&) = delete;

	// As BMessenger::SendMessage() with a reply, without the wait.
	status_t Send(const BMessenger& target, const BMessage& request);
	// The oldest reply not taken yet, within timeout: B_OK, B_TIMED_OUT,
	// or B_BAD_PORT_ID once a connection that carried a request ended
	// (the queue then takes no more replies).
	status_t Next(BMessage* reply, bigtime_t timeout);

private:
	std::shared_ptr<MessagePort> fPort;
};

// Takes the next reply from a reply port into *reply; B_TIMED_OUT when none
// comes within timeout.
status_t take_reply(MessagePort& replyPort, BMessage* reply, bigtime_t timeout);

} // namespace BPrivate

#endif // REPLY_QUEUE_H
