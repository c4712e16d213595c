#ifndef CLIPBOARD_BACKEND_H
#define CLIPBOARD_BACKEND_H

#include <SupportDefs.h>

#include <string>

namespace BPrivate {

// The desktop side of the system clipboard: the plain text other programs
// see. Without one, the clipboard stays inside this process.
class ClipboardBackend {
public:
	virtual ~ClipboardBackend() = default;

	// Puts data (length bytes, no terminator needed) on the desktop.
	virtual status_t WriteText(const char* data, size_t length) = 0;
	// The desktop's current text; empty when it holds none.
	virtual status_t ReadText(std::string* text) = 0;
};

// Installs backend for every BClipboard; null removes it. Does not adopt
// it. Thread-safe: once it returns, the previous backend is no longer
// called, so its owner may delete it.
void set_clipboard_backend(ClipboardBackend* backend);

} // namespace BPrivate

#endif // CLIPBOARD_BACKEND_H
