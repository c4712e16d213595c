#ifndef PREFERENCES_H
#define PREFERENCES_H

#include <SupportDefs.h>

struct _PREFHandle;

// One application's preferences: PREFInit() on construction, PREFShutdown()
// on destruction. Outlives every PreferenceSet opened from it. Adds no
// locking; see Prefs.h.
class Preferences {
public:
	explicit Preferences(const char* applicationName);
	~Preferences();

	Preferences(const Preferences&) = delete;
	Preferences& operator=(const Preferences&) = delete;

	// The result of PREFInit(): B_BAD_VALUE for a name containing '/'.
	status_t InitCheck() const;

private:
	friend class PreferenceSet;

	status_t fInitStatus;
	_PREFHandle* fHandle; // null when PREFInit() failed
};

#endif // PREFERENCES_H
