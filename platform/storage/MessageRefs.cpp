// The entry_ref fields of BMessage, which the storage kit owns.

#include <Message.h>

#include <cstring>
#include <string>

#include <TypeConstants.h>

#include "Entry.h"
#include "EntryPath.h"

namespace {

// A flattened ref: device (int32) and directory inode (int64) in host order,
// then, where the platform has the leaf name, the entry's absolute path with
// its NUL.
const size_t kRefHeaderSize = sizeof(int32) + sizeof(int64);

} // namespace

status_t
BMessage::AddRef(const char* name, const entry_ref* ref)
{
	if (ref == nullptr)
		return B_BAD_VALUE;
	std::string where;
	if (ref->name != nullptr)
		where = ref->fDirectoryPath.empty() ? std::string(ref->name)
											: BPrivate::join_path(ref->fDirectoryPath, ref->name);
	std::string item(kRefHeaderSize + where.size() + (ref->name != nullptr ? 1 : 0), '\0');
	int32 device = static_cast<int32>(ref->device);
	int64 directory = static_cast<int64>(ref->directory);
	memcpy(item.data(), &device, sizeof(device));
	memcpy(item.data() + sizeof(device), &directory, sizeof(directory));
	memcpy(item.data() + kRefHeaderSize, where.data(), where.size());
	return AddData(name, B_REF_TYPE, item.data(), item.size(), false);
}

status_t
BMessage::FindRef(const char* name, entry_ref* ref) const
{
	return FindRef(name, 0, ref);
}

// Takes the path form and also the platform's own, a bare leaf name, which
// gives a ref that names nothing on this system.
status_t
BMessage::FindRef(const char* name, int32 index, entry_ref* ref) const
{
	if (ref == nullptr)
		return B_BAD_VALUE;
	const void* data;
	ssize_t size;
	status_t status = FindData(name, B_REF_TYPE, index, &data, &size);
	if (status != B_OK)
		return status;
	if (size < static_cast<ssize_t>(kRefHeaderSize))
		return B_BAD_DATA;

	const char* bytes = static_cast<const char*>(data);
	int32 device;
	int64 directory;
	memcpy(&device, bytes, sizeof(device));
	memcpy(&directory, bytes + sizeof(device), sizeof(directory));
	entry_ref result(device, directory, nullptr);
	if (device != -1 && size > static_cast<ssize_t>(kRefHeaderSize)) {
		const char* text = bytes + kRefHeaderSize;
		std::string where(text, strnlen(text, size - kRefHeaderSize));
		std::string leaf = where;
		if (where.find('/') != std::string::npos) {
			if (where[0] != '/')
				return B_BAD_DATA;
			BPrivate::split_path(where, &result.fDirectoryPath, &leaf);
		}
		status = result.set_name(leaf.c_str());
		if (status != B_OK)
			return status;
	}
	*ref = result;
	return B_OK;
}
