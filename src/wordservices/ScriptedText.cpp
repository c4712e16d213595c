#include "ScriptedText.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include <AppDefs.h>
#include <Message.h>

#include "WordServicesConstants.h"

ScriptedText::ScriptedText(const char* text)
	: BHandler("scripted text"), fHead(text), fTailStart(0), fHilites(0)
{
}

const std::string&
ScriptedText::Text() const
{
	if (fTailStart < fTail.size())
		fHead.append(fTail, fTailStart);
	fTail.clear();
	fTailStart = 0;
	return fHead;
}

void
ScriptedText::MessageReceived(BMessage* message)
{
	int32 index, form;
	BMessage specifier;
	const char* property;
	if ((message->what != B_GET_PROPERTY && message->what != B_SET_PROPERTY) ||
		message->GetCurrentSpecifier(&index, &specifier, &form, &property) != B_OK) {
		BHandler::MessageReceived(message);
		return;
	}
	BMessage reply(B_REPLY);
	status_t status;
	try {
		status = message->what == B_GET_PROPERTY ? _Get(property, specifier, &reply)
												 : _Set(property, specifier, *message);
	} catch (const std::bad_alloc&) {
		status = B_NO_MEMORY;
	}
	if (status == B_BAD_SCRIPT_SYNTAX) {
		BHandler::MessageReceived(message);
		return;
	}
	reply.AddInt32("error", status);
	message->SendReply(&reply);
}

status_t
ScriptedText::_Get(const char* property, const BMessage& specifier, BMessage* reply) const
{
	if (strcmp(property, kWordServicesSizeProperty) == 0 && specifier.what == B_DIRECT_SPECIFIER)
		return reply->AddInt32("result", int32(_Size()));
	if (strcmp(property, kWordServicesTextProperty) != 0 || specifier.what != B_RANGE_SPECIFIER)
		return B_BAD_SCRIPT_SYNTAX;
	int32 index = specifier.GetInt32("index", -1);
	int32 range = specifier.GetInt32("range", -1);
	if (index < 0 || range < 0 || size_t(index) > _Size())
		return B_BAD_INDEX;
	return reply->AddString("result", Text().substr(index, range).c_str());
}

status_t
ScriptedText::_Set(const char* property, const BMessage& specifier, const BMessage& request)
{
	bool text = strcmp(property, kWordServicesTextProperty) == 0;
	if ((!text && strcmp(property, kWordServicesHiliteProperty) != 0) ||
		specifier.what != B_REVERSE_RANGE_SPECIFIER) {
		return B_BAD_SCRIPT_SYNTAX;
	}
	int32 index = specifier.GetInt32("index", -1);
	int32 range = specifier.GetInt32("range", -1);
	if (index < 0 || range < 0 || size_t(index) > _Size())
		return B_BAD_INDEX;
	size_t position = _Size() - index;
	if (!text) {
		fHilites++;
		return B_OK;
	}
	const char* data;
	_MoveTo(position);
	if (request.FindString("data", &data) != B_OK) {
		fTailStart += std::min(size_t(range), fTail.size() - fTailStart);
		return B_OK;
	}
	fHead.append(data, strnlen(data, range));
	return B_OK;
}

void
ScriptedText::_MoveTo(size_t position)
{
	if (position < fHead.size()) {
		// Backwards: the rest of the text becomes the tail again.
		std::string tail = fHead.substr(position);
		tail.append(fTail, fTailStart);
		fTail = std::move(tail);
		fTailStart = 0;
		fHead.resize(position);
		return;
	}
	size_t forward = position - fHead.size();
	fHead.append(fTail, fTailStart, forward);
	fTailStart += forward;
}
