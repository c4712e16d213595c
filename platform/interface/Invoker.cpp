#include "Invoker.h"

#include <Handler.h>
#include <Looper.h>
#include <Message.h>
#include <OS.h>

BInvoker::BInvoker() = default;

BInvoker::BInvoker(BMessage* message, const BHandler* handler, const BLooper* looper)
	: fMessage(message)
{
	SetTarget(handler, looper);
}

BInvoker::~BInvoker() = default;

status_t
BInvoker::SetMessage(BMessage* message)
{
	fMessage.reset(message);
	return B_OK;
}

uint32
BInvoker::Command() const
{
	return fMessage != nullptr ? fMessage->what : 0;
}

status_t
BInvoker::SetTarget(const BHandler* handler, const BLooper* looper)
{
	status_t status = B_OK;
	if (handler == nullptr && looper == nullptr)
		fMessenger = BMessenger();
	else
		fMessenger = BMessenger(handler, looper, &status);
	return status;
}

status_t
BInvoker::SetTarget(BMessenger messenger)
{
	fMessenger = messenger;
	return B_OK;
}

BHandler*
BInvoker::Target(BLooper** looper) const
{
	return fMessenger.Target(looper);
}

status_t
BInvoker::Invoke(BMessage* message)
{
	if (message == nullptr)
		message = fMessage.get();
	if (message == nullptr)
		return B_BAD_VALUE;
	BMessage copy(*message);
	return _Send(&copy);
}

status_t
BInvoker::_Send(BMessage* message)
{
	message->AddInt64("when", system_time());
	message->AddPointer("source", _Source());
	return fMessenger.SendMessage(message);
}
