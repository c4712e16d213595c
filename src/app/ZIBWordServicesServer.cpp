#include "ZIBWordServicesServer.h"

#include <Message.h>
#include <Messenger.h>

#include "ZIBWindow.h"

ZIBook*
ZIBWordServicesServer::AcquireBook(BMessage* request)
{
	BMessenger window;
	if (request->FindMessenger(kWindowField, &window) != B_OK || !window.LockTarget())
		return nullptr;
	// Locked, the looper behind the messenger cannot go away.
	window.Target(&fLocked);
	return fLocked != nullptr ? static_cast<ZIBWindow*>(fLocked)->GetThisABook() : nullptr;
}

void
ZIBWordServicesServer::ReleaseBook(BMessage*)
{
	if (fLocked != nullptr)
		fLocked->Unlock();
	fLocked = nullptr;
}
