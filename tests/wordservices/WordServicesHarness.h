#ifndef WORD_SERVICES_HARNESS_H
#define WORD_SERVICES_HARNESS_H

#include <memory>
#include <string>
#include <vector>

#include <AppDefs.h>
#include <Looper.h>
#include <Message.h>
#include <Messenger.h>
#include <OS.h>

#include "ScriptedText.h"
#include "WordServicesConstants.h"
#include "ZIBWordServicesSession.h"

class ZIBook;

// Serves 'Btch' as the application object does: one session at a time,
// run on this looper's thread, deleted when it posts 'WSAb'. A session
// that fails to start is deleted at once. book is not owned.
class SessionServer : public BLooper {
public:
	explicit SessionServer(ZIBook* book) : BLooper("session server"), fBook(book) {}

	void MessageReceived(BMessage* message) override
	{
		switch (message->what) {
			case kMsgWordServicesBatch: {
				auto session = std::make_unique<ZIBWordServicesSession>(message, fBook);
				if (session->GetError() != B_OK)
					return;
				fSession = std::move(session);
				fSession->Go();
				break;
			}
			case kMsgWordServicesAbort:
				fSession.reset();
				break;
			default:
				BLooper::MessageReceived(message);
		}
	}

private:
	ZIBook* fBook;
	std::unique_ptr<ZIBWordServicesSession> fSession;
};

// A client with one ScriptedText per text, counting the 'WStp' it gets.
class ClientLooper : public BLooper {
public:
	explicit ClientLooper(const std::vector<std::string>& texts)
		: BLooper("client"), fStopped(create_sem(0, "stopped"))
	{
		for (const std::string& text : texts) {
			fTexts.push_back(std::make_unique<ScriptedText>(text.c_str()));
			AddHandler(fTexts.back().get());
		}
	}

	~ClientLooper() override
	{
		for (auto& text : fTexts)
			RemoveHandler(text.get());
		delete_sem(fStopped);
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == kMsgWordServicesStop)
			release_sem(fStopped);
		else
			BLooper::MessageReceived(message);
	}

	ScriptedText* TextAt(size_t index) { return fTexts.at(index).get(); }
	sem_id Stopped() const { return fStopped; }

private:
	std::vector<std::unique_ptr<ScriptedText>> fTexts;
	sem_id fStopped;
};

#endif // WORD_SERVICES_HARNESS_H
