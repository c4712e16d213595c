#ifndef PREFERENCE_SET_H
#define PREFERENCE_SET_H

#include <SupportDefs.h>

class Preferences;
struct _PREFData;

// One loaded set of a Preferences object: PREFLoadSet() on construction,
// PREFDisposeSet() on destruction, which does not save. Two objects for the
// same set share it. Results pass through unchanged from Prefs.h; use the
// object only when InitCheck() is B_OK. Adds no locking.
class PreferenceSet {
public:
	// user selects the per-user settings directory, false the shared one.
	// preferences must outlive this object.
	PreferenceSet(Preferences& preferences, const char* name, bool user);
	~PreferenceSet();

	PreferenceSet(const PreferenceSet&) = delete;
	PreferenceSet& operator=(const PreferenceSet&) = delete;

	status_t InitCheck() const;

	status_t Save();
	// data points into the set until the item is set again or the set is
	// destroyed. PREF_ERR_NOT_FOUND for a missing item.
	status_t GetData(const char* name, const void*& data, int32& size, type_code& type) const;
	status_t SetData(const char* name, const void* data, uint32 size, type_code type);

private:
	status_t fInitStatus;
	_PREFData* fSet; // null when loading failed
};

#endif // PREFERENCE_SET_H
