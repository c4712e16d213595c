#include "Entry.h"

#include <cstdlib>
#include <cstring>

entry_ref::entry_ref() : device(0), directory(0), name(nullptr)
{
}

entry_ref::entry_ref(dev_t dev, ino_t dir, const char* name)
	: device(dev), directory(dir), name(nullptr)
{
	set_name(name);
}

entry_ref::entry_ref(const entry_ref& other)
	: device(other.device), directory(other.directory), name(nullptr),
	  fDirectoryPath(other.fDirectoryPath)
{
	set_name(other.name);
}

entry_ref::~entry_ref()
{
	free(name);
}

status_t
entry_ref::set_name(const char* newName)
{
	char* copy = nullptr;
	if (newName != nullptr) {
		copy = strdup(newName);
		if (copy == nullptr)
			return B_NO_MEMORY;
	}
	free(name);
	name = copy;
	return B_OK;
}

bool
entry_ref::operator==(const entry_ref& other) const
{
	if (device != other.device || directory != other.directory)
		return false;
	if (name == nullptr || other.name == nullptr)
		return name == other.name;
	return strcmp(name, other.name) == 0;
}

bool
entry_ref::operator!=(const entry_ref& other) const
{
	return !(*this == other);
}

entry_ref&
entry_ref::operator=(const entry_ref& other)
{
	if (this != &other) {
		device = other.device;
		directory = other.directory;
		fDirectoryPath = other.fDirectoryPath;
		set_name(other.name);
	}
	return *this;
}

std::string
BPrivate::entry_ref_path(const entry_ref* ref)
{
	if (ref->name == nullptr)
		return std::string();
	return ref->fDirectoryPath.empty() ? std::string(ref->name)
									   : join_path(ref->fDirectoryPath, ref->name);
}
