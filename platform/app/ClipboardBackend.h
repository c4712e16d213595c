#ifndef CLIPBOARD_BACKEND_H
#define CLIPBOARD_BACKEND_H

#include <SupportDefs.h>

#include <string>
#include <vector>

namespace BPrivate {

// One form of the clipboard's contents: a MIME type ("text/plain",
// "text/vcard") and its bytes.
struct ClipboardItem {
	std::string type;
	std::string data;

	bool operator==(const ClipboardItem&) const = default;
};

// The desktop side of the system clipboard: the data other programs see,
// in the forms this process knows. Without one, the clipboard stays inside
// this process.
class ClipboardBackend {
public:
	virtual ~ClipboardBackend() = default;

	// Puts items on the desktop, all at once, replacing its contents.
	virtual status_t Write(const std::vector<ClipboardItem>& items) = 0;
	// The desktop's current contents; empty when it holds nothing known.
	virtual status_t Read(std::vector<ClipboardItem>* items) = 0;
};

// Installs backend for every BClipboard; null removes it. Does not adopt
// it. Thread-safe: once it returns, the previous backend is no longer
// called, so its owner may delete it.
void set_clipboard_backend(ClipboardBackend* backend);

} // namespace BPrivate

#endif // CLIPBOARD_BACKEND_H
