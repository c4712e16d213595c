#include "Messenger.h"

#include <cstring>
#include <memory>
#include <new>
#include <tuple>

#include <Handler.h>
#include <Looper.h>
#include <Message.h>

#include "DeliveredMessage.h"
#include "HandlerTokens.h"
#include "MessagePort.h"
#include "MessagePrivate.h"
#include "ReplyQueue.h"
#include "TeamPort.h"
#include "WireFrame.h"

using BPrivate::MessagePort;

BMessenger be_app_messenger;

namespace {

// A flattened messenger: port, token and team, then R5's two spare int32,
// its preferred-target flag and three spare bytes.
const ssize_t kFlatMessengerSize = 24;
const size_t kFlatPreferredOffset = 20;

status_t
find_target(port_id id, int32 token, std::shared_ptr<MessagePort>* port)
{
	*port = MessagePort::Find(id);
	if (*port == nullptr)
		return B_BAD_PORT_ID;
	if (token >= 0 && !BPrivate::handler_token_exists(token))
		return B_BAD_HANDLER;
	return B_OK;
}

// Throws std::bad_alloc.
std::unique_ptr<BPrivate::DeliveredMessage>
addressed_copy(const BMessage& message, int32 target, team_id replyTeam, port_id replyPort,
			   int32 replyToken, bool replyRequired, bool isReply)
{
	auto copy = std::make_unique<BPrivate::DeliveredMessage>(message);
	BPrivate::MessagePrivate state(copy.get());
	state.SetTarget(target, target == B_PREFERRED_TOKEN);
	state.SetReply(replyTeam, replyPort, replyToken);
	state.SetReplyRequired(replyRequired);
	state.SetReplyDone(false);
	state.SetIsReply(isReply);
	state.SetWasDelivered(false);
	return copy;
}

// Closes a reply port on every way out.
struct ReplyPortCloser {
	std::shared_ptr<MessagePort> port;
	~ReplyPortCloser() { port->Close(); }
};

} // namespace

BMessenger::BMessenger(const BHandler* handler, const BLooper* looper, status_t* _result)
	: BMessenger()
{
	status_t result = B_OK;
	if (handler == nullptr && looper == nullptr) {
		result = B_BAD_VALUE;
	} else if (handler != nullptr) {
		const BLooper* owner = handler->Looper();
		if (owner == nullptr || (looper != nullptr && looper != owner))
			result = B_MISMATCHED_VALUES;
		looper = owner;
	}
	if (result == B_OK) {
		std::shared_ptr<MessagePort> port = MessagePort::FindFor(looper);
		if (port == nullptr) {
			result = B_BAD_VALUE;
		} else {
			_SetTo(BPrivate::current_team(), port->ID(),
				   handler != nullptr ? BPrivate::handler_token(handler) : B_PREFERRED_TOKEN);
		}
	}
	if (_result != nullptr)
		*_result = result;
}

bool
BMessenger::IsValid() const
{
	if (!IsTargetLocal())
		return fPort >= 0 && BPrivate::TeamPort::Default().Connect(fTeam) == B_OK;
	return MessagePort::Find(fPort) != nullptr;
}

bool
BMessenger::IsTargetLocal() const
{
	return fTeam == BPrivate::current_team();
}

BHandler*
BMessenger::Target(BLooper** _looper) const
{
	BLooper* looper = nullptr;
	BHandler* handler = nullptr;
	if (std::shared_ptr<MessagePort> port = IsTargetLocal() ? MessagePort::Find(fPort) : nullptr) {
		looper = port->Looper();
		if (looper != nullptr)
			handler = BPrivate::handler_for_token(fHandlerToken, looper);
	}
	if (_looper != nullptr)
		*_looper = looper;
	return handler;
}

bool
BMessenger::LockTarget() const
{
	std::shared_ptr<MessagePort> port = IsTargetLocal() ? MessagePort::Find(fPort) : nullptr;
	return port != nullptr && port->Looper() != nullptr &&
		   port->LockLooper(B_INFINITE_TIMEOUT) == B_OK;
}

status_t
BMessenger::SendMessage(uint32 command, BHandler* replyTo) const
{
	BMessage message(command);
	return SendMessage(&message, replyTo);
}

status_t
BMessenger::SendMessage(BMessage* message, BHandler* replyTo, bigtime_t timeout) const
{
	BMessenger replyMessenger;
	if (replyTo != nullptr)
		replyMessenger = BMessenger(replyTo);
	return SendMessage(message, replyMessenger, timeout);
}

status_t
BMessenger::SendMessage(BMessage* message, BMessenger replyTo, bigtime_t) const
{
	if (message == nullptr)
		return B_BAD_VALUE;
	return _Deliver(*message, replyTo, false);
}

status_t
BMessenger::SendMessage(uint32 command, BMessage* reply) const
{
	BMessage message(command);
	return SendMessage(&message, reply);
}

status_t
BMessenger::SendMessage(BMessage* message, BMessage* reply, bigtime_t, bigtime_t replyTimeout) const
{
	if (message == nullptr)
		return B_BAD_VALUE;
	return _SendAndWait(*message, reply, false, replyTimeout);
}

bool
BMessenger::operator==(const BMessenger& other) const
{
	return fPort == other.fPort && fHandlerToken == other.fHandlerToken && fTeam == other.fTeam;
}

bool
BMessenger::operator<(const BMessenger& other) const
{
	return std::tie(fTeam, fPort, fHandlerToken) <
		   std::tie(other.fTeam, other.fPort, other.fHandlerToken);
}

void
BMessenger::_SetTo(team_id team, port_id port, int32 token)
{
	fTeam = team;
	fPort = port;
	fHandlerToken = token;
}

status_t
BMessenger::_Deliver(const BMessage& message, const BMessenger& replyTo, bool isReply) const
{
	const BMessenger& replyAddress = replyTo.fPort >= 0 ? replyTo : be_app_messenger;
	// Without a reply address the message still names the team it came from.
	team_id replyTeam = replyAddress.fPort >= 0 ? replyAddress.fTeam : BPrivate::current_team();
	if (!IsTargetLocal()) {
		try {
			return BPrivate::TeamPort::Default().Send(
				fTeam, fPort,
				*addressed_copy(message, fHandlerToken, replyTeam, replyAddress.fPort,
								replyAddress.fHandlerToken, false, isReply));
		} catch (const std::bad_alloc&) {
			return B_NO_MEMORY;
		}
	}
	std::shared_ptr<MessagePort> port;
	status_t status = find_target(fPort, fHandlerToken, &port);
	if (status != B_OK)
		return status;
	try {
		return port->Write(addressed_copy(message, fHandlerToken, replyTeam, replyAddress.fPort,
										  replyAddress.fHandlerToken, false, isReply));
	} catch (const std::bad_alloc&) {
		return B_NO_MEMORY;
	}
}

status_t
BMessenger::_Request(const BMessage& message, port_id replyPort, bool isReply) const
{
	std::shared_ptr<MessagePort> port;
	if (IsTargetLocal()) {
		status_t status = find_target(fPort, fHandlerToken, &port);
		if (status != B_OK)
			return status;
		// The target could not dispatch before this thread stops waiting.
		if (port->Thread() == find_thread(nullptr) || port->LooperLock().IsLocked())
			return B_WOULD_BLOCK;
	}
	try {
		auto request = addressed_copy(message, fHandlerToken, BPrivate::current_team(), replyPort,
									  B_NULL_TOKEN, true, isReply);
		if (port != nullptr)
			return port->Write(std::move(request));
		status_t status = BPrivate::TeamPort::Default().Send(fTeam, fPort, *request, replyPort);
		// The copy in the other team answers; this one must not.
		BPrivate::MessagePrivate(request.get()).SetReplyRequired(false);
		return status;
	} catch (const std::bad_alloc&) {
		return B_NO_MEMORY;
	}
}

status_t
BMessenger::_SendAndWait(const BMessage& message, BMessage* reply, bool isReply,
						 bigtime_t replyTimeout) const
{
	if (reply == nullptr)
		return B_BAD_VALUE;
	try {
		ReplyPortCloser replyPort{MessagePort::Create(nullptr)};
		status_t status = _Request(message, replyPort.port->ID(), isReply);
		if (status != B_OK)
			return status;
		return BPrivate::take_reply(*replyPort.port, reply, replyTimeout);
	} catch (const std::bad_alloc&) {
		return B_NO_MEMORY;
	}
}

namespace BPrivate {

status_t
take_reply(MessagePort& replyPort, BMessage* reply, bigtime_t timeout)
{
	std::unique_ptr<BMessage> answer;
	status_t status = replyPort.Read(&answer, timeout);
	if (status != B_OK)
		return status == B_WOULD_BLOCK ? B_TIMED_OUT : status;
	try {
		*reply = *answer;
	} catch (const std::bad_alloc&) {
		return B_NO_MEMORY;
	}
	// The duty to answer a reply that waits for one passed to *reply.
	BPrivate::MessagePrivate(answer.get()).SetReplyRequired(false);
	return B_OK;
}

} // namespace BPrivate

status_t
BMessage::AddMessenger(const char* name, BMessenger messenger)
{
	char flat[kFlatMessengerSize] = {};
	memcpy(flat, &messenger.fPort, sizeof(int32));
	memcpy(flat + 4, &messenger.fHandlerToken, sizeof(int32));
	memcpy(flat + 8, &messenger.fTeam, sizeof(int32));
	flat[kFlatPreferredOffset] = messenger.fHandlerToken == B_PREFERRED_TOKEN;
	return AddData(name, B_MESSENGER_TYPE, flat, sizeof(flat), true);
}

status_t
BMessage::FindMessenger(const char* name, BMessenger* messenger) const
{
	return FindMessenger(name, 0, messenger);
}

status_t
BMessage::FindMessenger(const char* name, int32 index, BMessenger* messenger) const
{
	if (messenger == nullptr)
		return B_BAD_VALUE;
	const void* data;
	ssize_t size;
	status_t status = FindData(name, B_MESSENGER_TYPE, index, &data, &size);
	if (status != B_OK)
		return status;
	if (size != kFlatMessengerSize)
		return B_BAD_DATA;
	const char* flat = static_cast<const char*>(data);
	int32 port, token, team;
	memcpy(&port, flat, sizeof(int32));
	memcpy(&token, flat + 4, sizeof(int32));
	memcpy(&team, flat + 8, sizeof(int32));
	messenger->_SetTo(team, port, flat[kFlatPreferredOffset] != 0 ? B_PREFERRED_TOKEN : token);
	// A messenger made from our signature elsewhere names our application
	// looper by the port that only other teams use.
	if (team == BPrivate::current_team() && port == BPrivate::kApplicationPort)
		*messenger = BMessenger(nullptr, BPrivate::TeamPort::Default().Application());
	return B_OK;
}
