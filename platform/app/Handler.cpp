#include "Handler.h"

#include <AppDefs.h>
#include <Looper.h>
#include <Message.h>

#include "HandlerTokens.h"

BHandler::BHandler(const char* name)
	:
	fLooper(nullptr),
	fNextHandler(nullptr),
	fToken(BPrivate::new_handler_token(this))
{
	SetName(name);
}

BHandler::~BHandler()
{
	if (LockLooper()) {
		BLooper* looper = Looper();
		looper->RemoveHandler(this);
		looper->Unlock();
	}
	BPrivate::remove_handler_token(fToken);
}

void
BHandler::MessageReceived(BMessage* message)
{
	if (fNextHandler != nullptr) {
		fNextHandler->MessageReceived(message);
		return;
	}
	if (message->what != B_MESSAGE_NOT_UNDERSTOOD
		&& (message->IsSourceWaiting() || message->HasSpecifiers())) {
		// A sender that cannot be reached any more needs no answer.
		message->SendReply(B_MESSAGE_NOT_UNDERSTOOD);
	}
}

void
BHandler::SetName(const char* name)
{
	if (name != nullptr)
		fName = name;
	else
		fName.reset();
}

const char*
BHandler::Name() const
{
	return fName ? fName->c_str() : nullptr;
}

void
BHandler::SetNextHandler(BHandler* handler)
{
	if (handler != nullptr && handler->Looper() != Looper())
		return;
	for (BHandler* next = handler; next != nullptr; next = next->fNextHandler) {
		if (next == this)
			return;
	}
	fNextHandler = handler;
}

bool
BHandler::LockLooper()
{
	return LockLooperWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}

status_t
BHandler::LockLooperWithTimeout(bigtime_t timeout)
{
	BLooper* looper = fLooper;
	if (looper == nullptr)
		return B_BAD_VALUE;
	status_t status = looper->LockWithTimeout(timeout);
	if (status != B_OK)
		return status;
	if (fLooper == looper)
		return B_OK;
	looper->Unlock();
	return B_BAD_VALUE;
}

void
BHandler::UnlockLooper()
{
	if (BLooper* looper = fLooper)
		looper->Unlock();
}
