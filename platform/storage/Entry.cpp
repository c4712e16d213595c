#include "Entry.h"

#include <sys/stat.h>

#include <cstring>

#include "Directory.h"
#include "Path.h"

BEntry::BEntry() : fCStatus(B_NO_INIT)
{
}

BEntry::BEntry(const BDirectory* dir, const char* path, bool traverse) : fCStatus(B_NO_INIT)
{
	SetTo(dir, path, traverse);
}

BEntry::BEntry(const entry_ref* ref, bool traverse) : fCStatus(B_NO_INIT)
{
	SetTo(ref, traverse);
}

BEntry::BEntry(const char* path, bool traverse) : fCStatus(B_NO_INIT)
{
	SetTo(path, traverse);
}

status_t
BEntry::InitCheck() const
{
	return fCStatus;
}

bool
BEntry::Exists() const
{
	struct stat info;
	return fCStatus == B_OK && lstat(fLocation.Path().c_str(), &info) == 0;
}

status_t
BEntry::SetTo(const BDirectory* dir, const char* path, bool traverse)
{
	if (path != nullptr && path[0] == '/')
		return SetTo(path, traverse);
	Unset();
	if (dir == nullptr || path == nullptr)
		return fCStatus = B_BAD_VALUE;
	BEntry directory;
	BPath directoryPath;
	status_t status = dir->GetEntry(&directory);
	if (status == B_OK)
		status = directory.GetPath(&directoryPath);
	if (status != B_OK)
		return fCStatus = status;
	return SetTo(BPrivate::join_path(directoryPath.Path(), path).c_str(), traverse);
}

status_t
BEntry::SetTo(const entry_ref* ref, bool traverse)
{
	Unset();
	if (ref == nullptr || ref->name == nullptr || strchr(ref->name, '/') != nullptr)
		return fCStatus = B_BAD_VALUE;
	if (ref->fDirectoryPath.empty())
		return fCStatus = B_ENTRY_NOT_FOUND;
	return SetTo(BPrivate::join_path(ref->fDirectoryPath, ref->name).c_str(), traverse);
}

status_t
BEntry::SetTo(const char* path, bool traverse)
{
	BPrivate::EntryLocation location;
	status_t status = BPrivate::resolve_entry(path, traverse, &location);
	Unset();
	if (status == B_OK)
		fLocation = location;
	return fCStatus = status;
}

void
BEntry::Unset()
{
	fLocation = BPrivate::EntryLocation();
	fCStatus = B_NO_INIT;
}

status_t
BEntry::GetRef(entry_ref* ref) const
{
	if (fCStatus != B_OK)
		return fCStatus;
	if (ref == nullptr)
		return B_BAD_VALUE;
	status_t status = ref->set_name(fLocation.leaf.c_str());
	if (status != B_OK)
		return status;
	ref->device = fLocation.device;
	ref->directory = fLocation.directoryInode;
	ref->fDirectoryPath = fLocation.directory;
	return B_OK;
}

status_t
BEntry::GetPath(BPath* path) const
{
	if (fCStatus != B_OK)
		return fCStatus;
	if (path == nullptr)
		return B_BAD_VALUE;
	return path->SetTo(fLocation.Path().c_str());
}

status_t
get_ref_for_path(const char* path, entry_ref* ref)
{
	if (ref == nullptr)
		return B_BAD_VALUE;
	BEntry entry(path);
	status_t status = entry.InitCheck();
	return status == B_OK ? entry.GetRef(ref) : status;
}
