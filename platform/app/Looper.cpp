#include "Looper.h"

#include <algorithm>
#include <new>
#include <utility>

#include <AppDefs.h>
#include <Message.h>
#include <Messenger.h>

#include "HandlerTokens.h"
#include "LooperThread.h"
#include "MessagePort.h"
#include "MessagePrivate.h"

using BPrivate::MessagePort;

// Posted by Quit() from another thread; dispatching it ends the loop.
static const uint32 kQuitMessage = '_QIT';

BLooper::BLooper(const char* name)
	: BHandler(name), fPort(MessagePort::Create(this)), fDispatchDepth(0), fTerminating(false),
	  fRunCalled(false)
{
	fPort->LooperLock().Lock();
	AddHandler(this);
}

BLooper::~BLooper()
{
	std::shared_ptr<MessagePort> port = fPort;
	if (!port->LooperLock().IsLocked())
		port->LooperLock().Lock();
	for (BHandler* handler : fHandlers) {
		handler->fNextHandler = nullptr;
		handler->fLooper = nullptr;
	}
	fHandlers.clear();
	fCurrentMessage.reset();
	port->Close();
	port->UnlockLooperFully();
}

status_t
BLooper::PostMessage(uint32 command)
{
	BMessage message(command);
	return _PostMessage(&message, this, nullptr);
}

status_t
BLooper::PostMessage(BMessage* message)
{
	return _PostMessage(message, this, nullptr);
}

status_t
BLooper::PostMessage(uint32 command, BHandler* handler, BHandler* replyTo)
{
	BMessage message(command);
	return _PostMessage(&message, handler, replyTo);
}

status_t
BLooper::PostMessage(BMessage* message, BHandler* handler, BHandler* replyTo)
{
	return _PostMessage(message, handler, replyTo);
}

status_t
BLooper::_PostMessage(BMessage* message, BHandler* handler, BHandler* replyTo)
{
	if (message == nullptr)
		return B_BAD_VALUE;
	// Checked before anything of this looper is touched: it may be gone.
	std::shared_ptr<MessagePort> port = MessagePort::FindFor(this);
	if (port == nullptr)
		return B_BAD_VALUE;
	if (handler != nullptr && handler->Looper() != this)
		return B_MISMATCHED_VALUES;
	BMessenger target;
	target._SetTo(BPrivate::current_team(), port->ID(),
				  handler != nullptr ? BPrivate::handler_token(handler) : B_PREFERRED_TOKEN);
	return target.SendMessage(message, replyTo, 0);
}

void
BLooper::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (message == nullptr || handler == nullptr)
		return;
	if (message->what == B_QUIT_REQUESTED && handler == this) {
		_QuitRequested(message);
		return;
	}
	handler->MessageReceived(message);
}

BMessage*
BLooper::CurrentMessage() const
{
	return fCurrentMessage.get();
}

BMessage*
BLooper::DetachCurrentMessage()
{
	return fCurrentMessage.release();
}

void
BLooper::AddHandler(BHandler* handler)
{
	if (handler == nullptr || handler->Looper() != nullptr)
		return;
	try {
		fHandlers.push_back(handler);
	} catch (const std::bad_alloc&) {
		return;
	}
	handler->fLooper = this;
	if (handler != this)
		handler->fNextHandler = this;
}

bool
BLooper::RemoveHandler(BHandler* handler)
{
	if (handler == nullptr || handler->Looper() != this)
		return false;
	auto found = std::find(fHandlers.begin(), fHandlers.end(), handler);
	if (found == fHandlers.end())
		return false;
	fHandlers.erase(found);
	// Chains that went through the handler skip it from now on.
	for (BHandler* other : fHandlers) {
		if (other->fNextHandler == handler)
			other->fNextHandler = handler->fNextHandler;
	}
	handler->fNextHandler = nullptr;
	handler->fLooper = nullptr;
	return true;
}

thread_id
BLooper::Run()
{
	if (fRunCalled)
		return fPort->Thread();
	if (fRunner == nullptr) {
		try {
			fRunner = std::make_unique<BPrivate::LooperThread>();
		} catch (const std::bad_alloc&) {
			return B_NO_MEMORY;
		}
	}
	// Set first: the first message may quit the looper before Start() returns.
	fRunCalled = true;
	thread_id thread = fRunner->Start(this);
	if (thread < 0) {
		fRunCalled = false;
		return thread;
	}
	fPort->SetThread(thread);
	if (fPort->LooperLock().IsLocked())
		fPort->LooperLock().Unlock();
	return thread;
}

void
BLooper::Quit()
{
	std::shared_ptr<MessagePort> port = MessagePort::FindFor(this);
	if (port == nullptr || port->LockLooper(B_INFINITE_TIMEOUT) != B_OK)
		return;
	bool ownThread = port->Thread() == find_thread(nullptr);
	if (ownThread && fDispatchDepth > 0) {
		fTerminating = true;
		port->LooperLock().Unlock();
		return;
	}
	if (ownThread || !fRunCalled) {
		delete this;
		return;
	}

	port->UnlockLooperFully();
	try {
		port->Write(std::make_unique<BMessage>(kQuitMessage));
	} catch (const std::bad_alloc&) {
		// TODO: without memory for the quit message the loop cannot be told
		// to end; the caller gets control back and the looper lives on.
		return;
	}
	// A closed port means the looper is ending anyway.
	port->WaitForClose();
}

bool
BLooper::QuitRequested()
{
	return true;
}

bool
BLooper::Lock()
{
	return LockWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}

status_t
BLooper::LockWithTimeout(bigtime_t timeout)
{
	std::shared_ptr<MessagePort> port = MessagePort::FindFor(this);
	if (port == nullptr)
		return B_BAD_VALUE;
	status_t status = port->LockLooper(timeout);
	return status == B_BAD_PORT_ID ? B_BAD_VALUE : status;
}

void
BLooper::Unlock()
{
	if (fPort->LooperLock().IsLocked())
		fPort->LooperLock().Unlock();
}

bool
BLooper::IsLocked() const
{
	std::shared_ptr<MessagePort> port = MessagePort::FindFor(this);
	return port != nullptr && port->LooperLock().IsLocked();
}

thread_id
BLooper::Thread() const
{
	return fPort->Thread();
}

team_id
BLooper::Team() const
{
	return BPrivate::current_team();
}

status_t
BLooper::_DispatchNextMessage(bigtime_t timeout)
{
	// A looper told to quit during a nested dispatch takes no more messages.
	if (fTerminating)
		return B_WOULD_BLOCK;
	std::shared_ptr<MessagePort> port = fPort;
	std::unique_ptr<BMessage> message;
	status_t status = port->Read(&message, timeout);
	if (status != B_OK)
		return status;

	port->LooperLock().Lock();
	_Dispatch(std::move(message));
	if (fTerminating && fDispatchDepth == 0) {
		delete this;
		return B_BAD_PORT_ID;
	}
	port->LooperLock().Unlock();
	return B_OK;
}

void
BLooper::_Dispatch(std::unique_ptr<BMessage> message)
{
	BPrivate::MessagePrivate(message.get()).SetWasDelivered(true);
	std::unique_ptr<BMessage> outer = std::exchange(fCurrentMessage, std::move(message));
	fDispatchDepth++;
	if (fCurrentMessage->what == kQuitMessage)
		fTerminating = true;
	else if (BHandler* handler = _HandlerFor(fCurrentMessage.get()))
		DispatchMessage(fCurrentMessage.get(), handler);
	fDispatchDepth--;
	fCurrentMessage = std::move(outer);
}

BHandler*
BLooper::_HandlerFor(BMessage* message)
{
	BPrivate::MessagePrivate state(message);
	if (state.UsePreferredTarget())
		return this;
	return BPrivate::handler_for_token(state.GetTarget(), this);
}

void
BLooper::_QuitRequested(BMessage* message)
{
	bool quit = QuitRequested();
	if (message->IsSourceWaiting()) {
		BMessage reply(B_REPLY);
		reply.AddBool("result", quit);
		// A sender that gave up waiting needs no answer.
		message->SendReply(&reply);
	}
	if (quit)
		Quit();
}
