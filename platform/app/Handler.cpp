#include "Handler.h"

#include <AppDefs.h>
#include <Looper.h>
#include <Message.h>

#include "HandlerTokens.h"

BHandler::BHandler(const char* name)
	: fLooper(nullptr), fNextHandler(nullptr), fToken(BPrivate::new_handler_token(this))
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
	if (message->what != B_MESSAGE_NOT_UNDERSTOOD &&
		(message->IsSourceWaiting() || message->HasSpecifiers())) {
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
	BLooper* looper = fLooper;
	if (looper == nullptr || !looper->Lock())
		return false;
	if (fLooper == looper)
		return true;
	looper->Unlock();
	return false;
}
