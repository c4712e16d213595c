#include "ScriptedText.h"

#include <cstring>
#include <new>

#include <AppDefs.h>
#include <Message.h>

#include "WordServicesConstants.h"

ScriptedText::ScriptedText(const char* text) : BHandler("scripted text"), fText(text), fHilites(0)
{
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
		return reply->AddInt32("result", int32(fText.size()));
	if (strcmp(property, kWordServicesTextProperty) != 0 || specifier.what != B_RANGE_SPECIFIER)
		return B_BAD_SCRIPT_SYNTAX;
	int32 index = specifier.GetInt32("index", -1);
	int32 range = specifier.GetInt32("range", -1);
	if (index < 0 || range < 0 || size_t(index) > fText.size())
		return B_BAD_INDEX;
	return reply->AddString("result", fText.substr(index, range).c_str());
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
	if (index < 0 || range < 0 || size_t(index) > fText.size())
		return B_BAD_INDEX;
	size_t position = fText.size() - index;
	if (!text) {
		fHilites++;
		return B_OK;
	}
	const char* data;
	if (request.FindString("data", &data) != B_OK) {
		fText.erase(position, range);
		return B_OK;
	}
	fText.insert(position, data, strnlen(data, range));
	return B_OK;
}
