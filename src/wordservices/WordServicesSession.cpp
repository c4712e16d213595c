#include "WordServicesSession.h"

#include <algorithm>
#include <cstring>
#include <new>

#include <AppDefs.h>
#include <Message.h>

#include "ReplyQueue.h"
#include "WordServicesConstants.h"

namespace {

// A reverse-range specifier: range bytes starting index bytes before the
// end of the served text.
status_t
add_reverse_range(BMessage* request, const char* property, int32 index, int32 range)
{
	BMessage specifier(B_REVERSE_RANGE_SPECIFIER);
	status_t status = specifier.AddString(B_PROPERTY_ENTRY, property);
	if (status == B_OK)
		status = specifier.AddInt32("index", index);
	if (status == B_OK)
		status = specifier.AddInt32("range", range);
	return status == B_OK ? request->AddSpecifier(&specifier) : status;
}

} // namespace

WordServicesSession::WordServicesSession(BMessage* start)
	: fMenuIndex(0), fError(B_OK), fDone(false), fDeadline(system_time() + kRequestTimeout),
	  fCancelled(nullptr), fSetsOnTheirWay(0)
{
	fClient = start->ReturnAddress();
	fMenuIndex = start->FindInt32(kWordServicesIndexField);
	type_code type;
	int32 count = 0;
	fError = start->GetInfo(kWordServicesTargetField, &type, &count);
	if (fError != B_OK)
		return;
	try {
		fTargets.resize(std::min(count, kMaxTargets));
	} catch (const std::bad_alloc&) {
		fError = B_ERROR;
		return;
	}
	for (size_t i = 0; i < fTargets.size() && fError == B_OK; i++)
		fError = start->FindMessenger(kWordServicesTargetField, i, &fTargets[i]);
}

WordServicesSession::~WordServicesSession()
{
	BMessage stop(kMsgWordServicesStop);
	// Bounded like every other request, so a client that stopped reading
	// cannot hold the application.
	if (fClient.SendMessage(&stop, static_cast<BHandler*>(nullptr), kTextTimeout) != B_OK) {
		// The client is gone or stuck; nobody else is waiting for this.
	}
}

int32
WordServicesSession::Go()
{
	return 0;
}

status_t
WordServicesSession::GetListBlock(int32 index)
{
	_TakeSetAnswers();
	if (index < 0 || size_t(index) >= fTargets.size() || IsOver()) {
		Done();
		return B_OK;
	}
	try {
		fCurrentTarget = std::make_unique<BMessenger>(fTargets[index]);
	} catch (const std::bad_alloc&) {
		return B_ERROR;
	}
	return GetBlock();
}

int32
WordServicesSession::ReplaceClientWord(const char* replacement, int32 startDistance,
									   int32 endDistance)
{
	BMessage remove(B_SET_PROPERTY);
	if (add_reverse_range(&remove, kWordServicesTextProperty, startDistance,
						  startDistance - endDistance) == B_OK) {
		_Set(&remove);
	}
	BackgroundHilite(false, 0, 0);
	BMessage insert(B_SET_PROPERTY);
	if (insert.AddString("data", replacement) == B_OK &&
		add_reverse_range(&insert, kWordServicesTextProperty, endDistance,
						  int32(strlen(replacement))) == B_OK) {
		_Set(&insert);
	}
	return 0;
}

int32
WordServicesSession::BackgroundHilite(bool on, int32 startDistance, int32 endDistance)
{
	BMessage request(B_SET_PROPERTY);
	if (request.AddBool("data", on) == B_OK &&
		add_reverse_range(&request, kWordServicesHiliteProperty, startDistance,
						  startDistance - endDistance) == B_OK) {
		_Set(&request);
	}
	return 0;
}

void
WordServicesSession::Done()
{
	fDone = true;
}

status_t
WordServicesSession::StashGottenData(BMessage* reply)
{
	fText.clear();
	const char* text;
	status_t status = reply->FindString("result", &text);
	if (status != B_OK)
		return status;
	try {
		fText = text;
	} catch (const std::bad_alloc&) {
		return B_NO_MEMORY;
	}
	return B_OK;
}

status_t
WordServicesSession::GetBlock()
{
	fText.clear();
	if (fCurrentTarget == nullptr)
		return B_NO_INIT;
	BMessage sizeRequest(B_GET_PROPERTY), reply;
	sizeRequest.AddSpecifier(kWordServicesSizeProperty);
	status_t status = _Ask(&sizeRequest, &reply, kSizeTimeout);
	if (status != B_OK)
		return status;
	int32 size;
	status = reply.FindInt32("result", &size);
	if (status != B_OK)
		return status;
	if (size < 0 || size > kWordServicesMaxText)
		return B_BAD_DATA;

	BMessage textRequest(B_GET_PROPERTY);
	textRequest.AddSpecifier(kWordServicesTextProperty, 0, size);
	status = _Ask(&textRequest, &reply, kTextTimeout);
	if (status != B_OK)
		return status;
	status = StashGottenData(&reply);
	// Positions count back from the end of the served text: a block of
	// another length would put every replacement in the wrong place.
	if (status == B_OK && fText.size() != size_t(size)) {
		fText.clear();
		return B_BAD_DATA;
	}
	return status;
}

void
WordServicesSession::_Set(BMessage* request)
{
	if (fCurrentTarget == nullptr)
		return;
	// Neither a failed send nor the client's "error" changes what comes
	// next: the session goes on with the next word.
	try {
		if (fSetAnswers == nullptr)
			fSetAnswers = std::make_unique<BPrivate::ReplyQueue>();
	} catch (const std::bad_alloc&) {
		return;
	}
	if (fSetsOnTheirWay >= kSetsAhead)
		_TakeSetAnswer();
	if (fSetAnswers != nullptr && fSetAnswers->Send(*fCurrentTarget, *request) == B_OK)
		fSetsOnTheirWay++;
}

void
WordServicesSession::_TakeSetAnswer()
{
	BMessage answer;
	fSetsOnTheirWay--;
	// A late answer stands in for a later one; a connection that ended
	// takes its answers with it.
	if (fSetAnswers->Next(&answer, _Limit(kTextTimeout)) == B_BAD_PORT_ID) {
		fSetAnswers.reset();
		fSetsOnTheirWay = 0;
	}
}

void
WordServicesSession::_TakeSetAnswers()
{
	while (fSetsOnTheirWay > 0)
		_TakeSetAnswer();
}

bigtime_t
WordServicesSession::_Limit(bigtime_t limit) const
{
	if (IsOver())
		return 0;
	return std::min(limit, fDeadline - system_time());
}

status_t
WordServicesSession::_Ask(BMessage* request, BMessage* reply, bigtime_t limit)
{
	limit = _Limit(limit);
	if (limit <= 0)
		return B_TIMED_OUT;
	return fCurrentTarget->SendMessage(request, reply, limit, limit);
}

bool
WordServicesSession::IsOver() const
{
	return (fCancelled != nullptr && *fCancelled) || system_time() >= fDeadline;
}
