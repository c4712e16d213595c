#include "Path.h"

#include "Entry.h"

namespace {

// Whether path has to be normalized to be absolute and canonical in form.
bool
must_normalize(const std::string& path)
{
	if (path.empty() || path[0] != '/')
		return true;
	if (path.size() > 1 && path.back() == '/')
		return true;
	std::string padded = path + "/";
	return padded.find("//") != std::string::npos || padded.find("/./") != std::string::npos ||
		   padded.find("/../") != std::string::npos;
}

} // namespace

BPath::BPath(const char* dir, const char* leaf, bool normalize) : fCStatus(B_NO_INIT)
{
	if (dir != nullptr)
		SetTo(dir, leaf, normalize);
}

BPath::BPath(const entry_ref* ref) : fCStatus(B_NO_INIT)
{
	SetTo(ref);
}

BPath::BPath(const BEntry* entry) : fCStatus(B_NO_INIT)
{
	SetTo(entry);
}

status_t
BPath::InitCheck() const
{
	return fCStatus;
}

status_t
BPath::SetTo(const char* dir, const char* leaf, bool normalize)
{
	if (dir == nullptr || dir[0] == '\0' || (leaf != nullptr && leaf[0] == '/')) {
		Unset();
		return fCStatus = B_BAD_VALUE;
	}
	std::string path = dir;
	if (leaf != nullptr && leaf[0] != '\0')
		path = path + "/" + leaf;
	if (normalize || must_normalize(path)) {
		BPrivate::EntryLocation location;
		status_t status = BPrivate::resolve_entry(path.c_str(), false, &location);
		if (status != B_OK) {
			Unset();
			return fCStatus = status;
		}
		path = location.Path();
	}
	fPath = path;
	return fCStatus = B_OK;
}

status_t
BPath::SetTo(const entry_ref* ref)
{
	BEntry entry(ref);
	return SetTo(&entry);
}

status_t
BPath::SetTo(const BEntry* entry)
{
	if (entry == nullptr) {
		Unset();
		return fCStatus = B_BAD_VALUE;
	}
	status_t status = entry->GetPath(this);
	if (status != B_OK) {
		Unset();
		fCStatus = status;
	}
	return status;
}

void
BPath::Unset()
{
	fPath.clear();
	fCStatus = B_NO_INIT;
}

status_t
BPath::Append(const char* path, bool normalize)
{
	if (fCStatus != B_OK)
		return fCStatus;
	std::string current = fPath;
	return SetTo(current.c_str(), path, normalize);
}

const char*
BPath::Path() const
{
	return fCStatus == B_OK ? fPath.c_str() : nullptr;
}

const char*
BPath::Leaf() const
{
	if (fCStatus != B_OK)
		return nullptr;
	return fPath.c_str() + fPath.rfind('/') + 1;
}

status_t
BPath::GetParent(BPath* path) const
{
	if (fCStatus != B_OK)
		return fCStatus;
	if (path == nullptr)
		return B_BAD_VALUE;
	if (fPath == "/")
		return B_ENTRY_NOT_FOUND;
	size_t slash = fPath.rfind('/');
	std::string parent = slash == 0 ? "/" : fPath.substr(0, slash);
	return path->SetTo(parent.c_str());
}
