#include "PrintSettings.h"

#include <cstring>

#include <TypeConstants.h>

#include "PreferenceSet.h"

namespace {

const char kSenderItem[] = "PrintSender";
const char kPaperItem[] = "EnvelopeSize";
const char kFirstLabelItem[] = "FirstLabel";

std::string
StringItem(PreferenceSet* settings, const char* name)
{
	const void* data = nullptr;
	int32 size = 0;
	type_code type = 0;
	if (settings->GetData(name, data, size, type) != B_OK || type != B_STRING_TYPE || size < 1)
		return std::string();
	const char* text = static_cast<const char*>(data);
	return std::string(text, strnlen(text, size));
}

} // namespace

PrintSettings
PrintSettings::Load(PreferenceSet* settings)
{
	PrintSettings result;
	if (settings == nullptr)
		return result;
	result.sender = StringItem(settings, kSenderItem);
	if (std::optional<PaperChoice> paper = PaperChoiceFromName(StringItem(settings, kPaperItem)))
		result.paper = *paper;
	const void* data = nullptr;
	int32 size = 0;
	type_code type = 0;
	if (settings->GetData(kFirstLabelItem, data, size, type) == B_OK && type == B_INT32_TYPE &&
		size == sizeof(int32))
		memcpy(&result.firstLabel, data, sizeof(int32));
	return result;
}

void
PrintSettings::Store(PreferenceSet* settings) const
{
	if (settings == nullptr)
		return;
	// A refused item only loses this choice for the next time.
	const char* paperName = PaperChoiceName(paper);
	settings->SetData(kPaperItem, paperName, strlen(paperName) + 1, B_STRING_TYPE);
	settings->SetData(kFirstLabelItem, &firstLabel, sizeof(firstLabel), B_INT32_TYPE);
	settings->SetData(kSenderItem, sender.c_str(), sender.size() + 1, B_STRING_TYPE);
}
