#ifndef DESKTOP_CLIPBOARD_H
#define DESKTOP_CLIPBOARD_H

#include <SupportDefs.h>

#include <mutex>
#include <string>

#include <ClipboardBackend.h>

class QObject;

namespace BPrivate {

// The desktop clipboard as the backend of be_clipboard: its plain text,
// with our bytes read as UTF-8. Bytes that are not UTF-8 survive a round
// trip through this process: while the desktop still shows the text we
// wrote, ReadText() answers the bytes we were given.
//
// The desktop clipboard belongs to the GUI thread. There both calls use it
// directly; from other threads WriteText() is handed to the GUI thread and
// ReadText() answers the text last seen there.
class DesktopClipboard : public ClipboardBackend {
public:
	// context: a QObject living on the GUI thread, alive as long as this.
	explicit DesktopClipboard(QObject* context);

	status_t WriteText(const char* data, size_t length) override;
	status_t ReadText(std::string* text) override;

	// Notes the desktop's current text; on the GUI thread only.
	void Refresh();

private:
	QObject* fContext;
	std::mutex fLock;
	std::string fDesktopText;  // guarded by fLock: UTF-8, as last seen
	std::string fWrittenBytes; // guarded by fLock: what we were given last
	std::string fWrittenText;  // guarded by fLock: fWrittenBytes as the desktop shows them
};

// Installs a DesktopClipboard for be_clipboard. Call on the thread of the
// QGuiApplication; the backend is removed when that application is
// destroyed. B_OK (also when one is installed already), B_NO_INIT without a
// QGuiApplication, B_NOT_ALLOWED on another thread.
status_t install_desktop_clipboard();

} // namespace BPrivate

#endif // DESKTOP_CLIPBOARD_H
