#include "PreferenceSet.h"

#include "Preferences.h"
#include "Prefs.h"

PreferenceSet::PreferenceSet(Preferences& preferences, const char* name, bool user) : fSet(nullptr)
{
	fInitStatus = PREFLoadSet(preferences.fHandle, name, user, &fSet);
}

PreferenceSet::~PreferenceSet()
{
	if (fSet != nullptr)
		PREFDisposeSet(&fSet);
}

status_t
PreferenceSet::InitCheck() const
{
	return fInitStatus;
}

status_t
PreferenceSet::Save()
{
	return PREFSaveSet(fSet);
}

status_t
PreferenceSet::GetData(const char* name, const void*& data, int32& size, type_code& type) const
{
	return PREFGetData(fSet, name, &data, &size, &type);
}

status_t
PreferenceSet::SetData(const char* name, const void* data, uint32 size, type_code type)
{
	return PREFSetData(fSet, name, data, static_cast<int32>(size), type);
}
