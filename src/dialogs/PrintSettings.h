#ifndef PRINT_SETTINGS_H
#define PRINT_SETTINGS_H

#include <string>

#include <SupportDefs.h>

#include "PaperChoice.h"

class PreferenceSet;

// The last choices of "Address an Envelope" and the sender record, kept in
// the application's settings set.
struct PrintSettings {
	PaperChoice paper = PaperChoice::kDL;
	// 1 for a fresh sheet of labels.
	int32 firstLabel = 1;
	// The sender record's nickname; empty for none.
	std::string sender;

	// The stored choices; the defaults for a missing set or item, or one
	// of the wrong type.
	static PrintSettings Load(PreferenceSet* settings);
	// Stores the choices in settings (in memory; the application saves the
	// set). A null set keeps nothing.
	void Store(PreferenceSet* settings) const;
};

#endif // PRINT_SETTINGS_H
