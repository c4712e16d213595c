#ifndef DESKTOP_CLIPBOARD_H
#define DESKTOP_CLIPBOARD_H

#include <SupportDefs.h>

#include <mutex>
#include <string>
#include <vector>

#include <ClipboardBackend.h>

class QObject;

namespace BPrivate {

// The desktop clipboard as the backend of be_clipboard: its plain text,
// with our bytes read as UTF-8, and its data in the other known forms
// ("text/vcard"). Bytes that are not UTF-8 survive a round trip through
// this process: while the desktop still shows what we wrote, Read() answers
// the items we were given.
//
// The desktop clipboard belongs to the GUI thread. There both calls use it
// directly; from other threads Write() is handed to the GUI thread and
// Read() answers the contents last seen there.
class DesktopClipboard : public ClipboardBackend {
public:
	// context: a QObject living on the GUI thread, alive as long as this.
	explicit DesktopClipboard(QObject* context);

	status_t Write(const std::vector<ClipboardItem>& items) override;
	status_t Read(std::vector<ClipboardItem>* items) override;

	// Notes the desktop's current contents; on the GUI thread only.
	void Refresh();

private:
	QObject* fContext;
	std::mutex fLock;
	std::vector<ClipboardItem> fDesktop;      // guarded by fLock: as last seen
	std::vector<ClipboardItem> fWritten;      // guarded by fLock: what we were given last
	std::vector<ClipboardItem> fWrittenShown; // guarded by fLock: fWritten as the desktop shows it
};

// Installs a DesktopClipboard for be_clipboard. Call on the thread of the
// QGuiApplication; the backend is removed when that application is
// destroyed. B_OK (also when one is installed already), B_NO_INIT without a
// QGuiApplication, B_NOT_ALLOWED on another thread.
status_t install_desktop_clipboard();

} // namespace BPrivate

#endif // DESKTOP_CLIPBOARD_H
