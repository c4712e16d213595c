#include "Clipboard.h"

#include <new>

#include <Message.h>
#include <TypeConstants.h>

#include "ClipboardBackend.h"

static const char* kTextField = "text/plain";

namespace {

std::mutex sBackendLock;
BPrivate::ClipboardBackend* sBackend = nullptr; // guarded by sBackendLock

// The bytes of the plain text in data; empty when it has none.
std::string
text_of(const BMessage& data)
{
	const void* bytes;
	ssize_t size;
	if (data.FindData(kTextField, B_MIME_TYPE, &bytes, &size) != B_OK)
		return std::string();
	return std::string(static_cast<const char*>(bytes), size);
}

} // namespace

// Never destroyed: other threads may use it while statics are torn down.
BClipboard* be_clipboard = new BClipboard("system");

namespace BPrivate {

void
set_clipboard_backend(ClipboardBackend* backend)
{
	std::lock_guard<std::mutex> lock(sBackendLock);
	sBackend = backend;
}

} // namespace BPrivate

BClipboard::BClipboard(const char* name)
	:
	fName(name != nullptr ? name : ""),
	fData(new BMessage),
	fCount(0),
	fSystemData(new BMessage),
	fSystemCount(0)
{
}

BClipboard::~BClipboard() = default;

bool
BClipboard::Lock()
{
	fLock.Lock();
	_Download(false);
	return true;
}

void
BClipboard::Unlock()
{
	if (fLock.IsLocked())
		fLock.Unlock();
}

bool
BClipboard::IsLocked() const
{
	return fLock.IsLocked();
}

status_t
BClipboard::Clear()
{
	if (!IsLocked())
		return B_NOT_ALLOWED;
	return fData->MakeEmpty();
}

status_t
BClipboard::Commit()
{
	if (!IsLocked())
		return B_NOT_ALLOWED;
	try {
		std::lock_guard<std::mutex> lock(fSystemLock);
		*fSystemData = *fData;
		fCount = ++fSystemCount;
		std::string text = text_of(*fData);
		std::lock_guard<std::mutex> backendLock(sBackendLock);
		return sBackend != nullptr ? sBackend->WriteText(text.data(), text.size()) : B_OK;
	} catch (const std::bad_alloc&) {
		return B_NO_MEMORY;
	}
}

status_t
BClipboard::Revert()
{
	if (!IsLocked())
		return B_NOT_ALLOWED;
	_Download(true);
	return B_OK;
}

BMessage*
BClipboard::Data() const
{
	return IsLocked() ? fData.get() : nullptr;
}

uint32
BClipboard::LocalCount() const
{
	return fCount;
}

uint32
BClipboard::SystemCount() const
{
	std::lock_guard<std::mutex> lock(fSystemLock);
	_SyncFromDesktop();
	return fSystemCount;
}

// Called with fLock held.
void
BClipboard::_Download(bool force)
{
	std::lock_guard<std::mutex> lock(fSystemLock);
	_SyncFromDesktop();
	if (!force && fCount == fSystemCount)
		return;
	try {
		*fData = *fSystemData;
		fCount = fSystemCount;
	} catch (const std::bad_alloc&) {
		// The caller keeps the data it had; the next Lock() tries again.
	}
}

// Takes the desktop's text when another program changed it. Called with
// fSystemLock held.
void
BClipboard::_SyncFromDesktop() const
{
	try {
		std::lock_guard<std::mutex> backendLock(sBackendLock);
		std::string text;
		if (sBackend == nullptr || sBackend->ReadText(&text) != B_OK
			|| text == text_of(*fSystemData))
			return;
		BMessage data;
		if (!text.empty() && data.AddData(kTextField, B_MIME_TYPE, text.data(), text.size()) != B_OK)
			return;
		*fSystemData = data;
		fSystemCount++;
	} catch (const std::bad_alloc&) {
		// Without memory the desktop's text is picked up on a later call.
	}
}
