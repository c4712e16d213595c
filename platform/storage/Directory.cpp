#include "Directory.h"

#include <fcntl.h>

#include <cerrno>

#include <ErrnoStatus.h>

#include "Entry.h"
#include "Path.h"

BDirectory::BDirectory()
{
}

BDirectory::BDirectory(const entry_ref* ref)
{
	SetTo(ref);
}

BDirectory::BDirectory(const char* path)
{
	SetTo(path);
}

status_t
BDirectory::SetTo(const entry_ref* ref)
{
	return _SetTo(BEntry(ref, true));
}

status_t
BDirectory::SetTo(const char* path)
{
	return _SetTo(BEntry(path, true));
}

status_t
BDirectory::GetEntry(BEntry* entry) const
{
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	if (entry == nullptr)
		return B_BAD_VALUE;
	return entry->SetTo(_Path().c_str());
}

status_t
BDirectory::_SetTo(const BEntry& entry)
{
	Unset();
	BPath path;
	status_t status = entry.GetPath(&path);
	if (status != B_OK)
		return _SetStatus(status);
	int fd = open(path.Path(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
	if (fd < 0)
		return _SetStatus(BPrivate::status_for_errno(errno));
	return _Adopt(fd, path.Path());
}
