#ifndef CLIPBOARD_H
#define CLIPBOARD_H

#include <Locker.h>
#include <SupportDefs.h>

#include <memory>
#include <mutex>
#include <string>

class BMessage;

// A clipboard: a message of data shared with other programs, one field of
// type B_MIME_TYPE per form, named by its MIME type (plain text as
// "text/plain", without a terminator; a card as "text/vcard"). Lock it,
// read or change Data(), Commit() to publish the change, Unlock().
//
// Lock() and Unlock() may be called from any thread; Lock() waits while
// another thread holds the clipboard. The other methods need the lock
// (B_NOT_ALLOWED, or null from Data(), without it).
class BClipboard {
public:
	// Data committed to any clipboard reaches the desktop backend when one
	// is installed; without one, each object keeps its own in this process.
	BClipboard(const char* name);
	virtual ~BClipboard();

	BClipboard(const BClipboard&) = delete;
	BClipboard& operator=(const BClipboard&) = delete;

	const char* Name() const { return fName.c_str(); }

	// Lock() also refreshes Data() when the system clipboard changed since
	// this object last saw it (text copied in another program included).
	// Recursive, like BLocker.
	bool Lock();
	void Unlock();
	bool IsLocked() const;

	// Empties Data(); the system clipboard changes only on Commit().
	status_t Clear();
	// Publishes Data() as the system clipboard's contents. B_OK, or the
	// status of the desktop when it refused the text (the data is committed
	// inside this process all the same).
	status_t Commit();
	// The data, owned by the clipboard; null when the caller does not hold
	// the lock. Valid until Unlock().
	BMessage* Data() const;

private:
	void _Download();
	void _SyncFromDesktop() const;

	std::string fName;
	BLocker fLock;
	std::unique_ptr<BMessage> fData; // guarded by fLock
	uint32 fCount;                   // guarded by fLock

	mutable std::mutex fSystemLock;
	mutable std::unique_ptr<BMessage> fSystemData; // guarded by fSystemLock
	mutable uint32 fSystemCount;                   // guarded by fSystemLock
};

// The system clipboard.
extern BClipboard* be_clipboard;

#endif // CLIPBOARD_H
