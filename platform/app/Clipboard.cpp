#include "Clipboard.h"

#include <new>

#include <Message.h>
#include <TypeConstants.h>

#include "ClipboardBackend.h"

namespace {

std::mutex sBackendLock;
BPrivate::ClipboardBackend* sBackend = nullptr; // guarded by sBackendLock

// The B_MIME_TYPE fields of data, each named by its MIME type.
std::vector<BPrivate::ClipboardItem>
items_of(const BMessage& data)
{
	std::vector<BPrivate::ClipboardItem> items;
	char* name;
	type_code type;
	int32 count;
	for (int32 i = 0; data.GetInfo(B_MIME_TYPE, i, &name, &type, &count) == B_OK; i++) {
		const void* bytes;
		ssize_t size;
		if (data.FindData(name, B_MIME_TYPE, &bytes, &size) == B_OK)
			items.push_back({name, std::string(static_cast<const char*>(bytes), size)});
	}
	return items;
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
	: fName(name != nullptr ? name : ""), fData(new BMessage), fCount(0), fSystemData(new BMessage),
	  fSystemCount(0)
{
}

BClipboard::~BClipboard() = default;

bool
BClipboard::Lock()
{
	fLock.Lock();
	_Download();
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
		std::vector<BPrivate::ClipboardItem> items = items_of(*fData);
		std::lock_guard<std::mutex> backendLock(sBackendLock);
		return sBackend != nullptr ? sBackend->Write(items) : B_OK;
	} catch (const std::bad_alloc&) {
		return B_NO_MEMORY;
	}
}

BMessage*
BClipboard::Data() const
{
	return IsLocked() ? fData.get() : nullptr;
}

// Called with fLock held.
void
BClipboard::_Download()
{
	std::lock_guard<std::mutex> lock(fSystemLock);
	_SyncFromDesktop();
	if (fCount == fSystemCount)
		return;
	try {
		*fData = *fSystemData;
		fCount = fSystemCount;
	} catch (const std::bad_alloc&) {
		// The caller keeps the data it had; the next Lock() tries again.
	}
}

// Takes the desktop's contents when another program changed them. Called
// with fSystemLock held.
void
BClipboard::_SyncFromDesktop() const
{
	try {
		std::lock_guard<std::mutex> backendLock(sBackendLock);
		std::vector<BPrivate::ClipboardItem> items;
		if (sBackend == nullptr || sBackend->Read(&items) != B_OK ||
			items == items_of(*fSystemData))
			return;
		BMessage data;
		for (const BPrivate::ClipboardItem& item : items) {
			if (data.AddData(item.type.c_str(), B_MIME_TYPE, item.data.data(), item.data.size()) !=
				B_OK)
				return;
		}
		*fSystemData = data;
		fSystemCount++;
	} catch (const std::bad_alloc&) {
		// Without memory the desktop's text is picked up on a later call.
	}
}
