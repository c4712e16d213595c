#include "ReplyQueue.h"

#include <Messenger.h>

#include "MessagePort.h"

namespace BPrivate {

ReplyQueue::ReplyQueue() : fPort(MessagePort::Create(nullptr))
{
}

ReplyQueue::~ReplyQueue()
{
	fPort->Close();
}

status_t
ReplyQueue::Send(const BMessenger& target, const BMessage& request)
{
	return target._Request(request, fPort->ID(), false);
}

status_t
ReplyQueue::Next(BMessage* reply, bigtime_t timeout)
{
	return take_reply(*fPort, reply, timeout);
}

} // namespace BPrivate
