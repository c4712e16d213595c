#ifndef CLIPBOARD_TEXT_H
#define CLIPBOARD_TEXT_H

#include <string>

#include <Clipboard.h>
#include <Message.h>

// The "text/plain" bytes of clipboard data; "(none)" when there are none.
inline std::string
text_of(const BMessage* data)
{
	const void* bytes;
	ssize_t size;
	if (data == nullptr || data->FindData("text/plain", B_MIME_TYPE, &bytes, &size) != B_OK)
		return "(none)";
	return std::string(static_cast<const char*>(bytes), size);
}

// Replaces be_clipboard's contents by text, as the application does.
inline status_t
put_text(const std::string& text)
{
	if (!be_clipboard->Lock())
		return B_ERROR;
	be_clipboard->Clear();
	be_clipboard->Data()->AddData("text/plain", B_MIME_TYPE, text.data(), text.size());
	status_t status = be_clipboard->Commit();
	be_clipboard->Unlock();
	return status;
}

#endif // CLIPBOARD_TEXT_H
