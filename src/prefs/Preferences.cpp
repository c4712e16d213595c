#include "Preferences.h"

#include "Prefs.h"

Preferences::Preferences(const char* applicationName) : fHandle(nullptr)
{
	fInitStatus = PREFInit(applicationName, &fHandle);
}

Preferences::~Preferences()
{
	if (fHandle != nullptr)
		PREFShutdown(fHandle);
}

status_t
Preferences::InitCheck() const
{
	return fInitStatus;
}
