// The members of BMessage that deliver replies; the rest of the class lives
// in Message.cpp.
#include <Message.h>

#include <Handler.h>
#include <Messenger.h>

#include "MessagePort.h"
#include "MessagePrivate.h"

// B_OK when message may be answered now. The one reply a waiting sender
// gets is claimed here, so a second one fails with B_DUPLICATE_REPLY.
static status_t
claim_reply(BMessage* message)
{
	BPrivate::MessagePrivate state(message);
	if (state.IsReplyRequired()) {
		if (state.IsReplyDone())
			return B_DUPLICATE_REPLY;
		state.SetReplyDone(true);
		return B_OK;
	}
	if (!message->WasDelivered() || state.GetReplyPort() < 0)
		return B_BAD_REPLY;
	return B_OK;
}

bool
BMessage::IsSourceWaiting() const
{
	return fHeader->replyRequired && !fHeader->replyDone;
}

bool
BMessage::IsSourceRemote() const
{
	return fHeader->wasDelivered && fHeader->replyTeam != BPrivate::current_team();
}

BMessenger
BMessage::ReturnAddress() const
{
	BMessenger messenger;
	if (fHeader->replyPort >= 0)
		messenger._SetTo(fHeader->replyTeam, fHeader->replyPort, fHeader->replyTarget);
	return messenger;
}

status_t
BMessage::SendReply(uint32 command, BHandler* replyTo)
{
	BMessage reply(command);
	return SendReply(&reply, replyTo);
}

status_t
BMessage::SendReply(BMessage* reply, BHandler* replyTo, bigtime_t timeout)
{
	BMessenger replyMessenger;
	if (replyTo != nullptr)
		replyMessenger = BMessenger(replyTo);
	return SendReply(reply, replyMessenger, timeout);
}

status_t
BMessage::SendReply(BMessage* reply, BMessenger replyTo, bigtime_t)
{
	if (reply == nullptr)
		return B_BAD_VALUE;
	status_t status = claim_reply(this);
	if (status != B_OK)
		return status;
	return ReturnAddress()._Deliver(*reply, replyTo, true);
}

status_t
BMessage::SendReply(BMessage* reply, BMessage* replyToReply, bigtime_t, bigtime_t replyTimeout)
{
	if (reply == nullptr || replyToReply == nullptr)
		return B_BAD_VALUE;
	status_t status = claim_reply(this);
	if (status != B_OK)
		return status;
	return ReturnAddress()._SendAndWait(*reply, replyToReply, true, replyTimeout);
}
