#include "LookupClient.h"

#include <Message.h>

#include "ScriptedText.h"
#include "WordServicesConstants.h"

LookupClient::LookupClient(const std::string& text)
	: BLooper("zib-lookup"), fText(std::make_unique<ScriptedText>(text.c_str())),
	  fStopped(create_sem(0, "request over"))
{
	AddHandler(fText.get());
}

LookupClient::~LookupClient()
{
	RemoveHandler(fText.get());
	delete_sem(fStopped);
}

void
LookupClient::MessageReceived(BMessage* message)
{
	if (message->what == kMsgWordServicesStop)
		release_sem(fStopped);
	else
		BLooper::MessageReceived(message);
}

status_t
LookupClient::WaitForStop(bigtime_t timeout)
{
	status_t status = acquire_sem_etc(fStopped, 1, B_RELATIVE_TIMEOUT, timeout);
	return status == B_WOULD_BLOCK ? B_TIMED_OUT : status;
}
