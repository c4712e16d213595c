#include "WordServicesServer.h"

#include <new>

#include <Message.h>

#include "WordServicesConstants.h"
#include "ZIBWordServicesSession.h"

WordServicesServer::WordServicesServer(const BMessenger& errors)
	: BLooper("word services"), fErrors(errors), fClosed(false)
{
}

WordServicesServer::~WordServicesServer() = default;

void
WordServicesServer::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgWordServicesBatch:
			// The old session's client gets its 'WStp' before the new
			// request runs.
			fSession.reset();
			_Serve(message);
			break;
		case kMsgWordServicesAbort:
			fSession.reset();
			break;
		default:
			BLooper::MessageReceived(message);
			break;
	}
}

void
WordServicesServer::Close()
{
	fClosed = true;
}

void
WordServicesServer::_Serve(BMessage* request)
{
	std::unique_ptr<ZIBWordServicesSession> session;
	try {
		session = std::make_unique<ZIBWordServicesSession>(request, nullptr);
	} catch (const std::bad_alloc&) {
		return;
	}
	if (session->GetError() != B_OK) {
		session.reset();
		if (fErrors.SendMessage(kMsgWordServicesError) != B_OK) {
			// Nobody left to tell.
		}
		return;
	}
	session->SetCancelFlag(&fClosed);
	session->SetOwner(BMessenger(this));
	if (!fClosed) {
		session->SetABook(AcquireBook(request));
		session->TakeBook();
		ReleaseBook(request);
	}
	fSession = std::move(session);
	fSession->Go();
}
