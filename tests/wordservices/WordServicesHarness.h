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
#include "WordServicesServer.h"

class ZIBook;

// The Word Services looper on one book. book is not owned.
class SessionServer : public WordServicesServer {
public:
	explicit SessionServer(ZIBook* book) : WordServicesServer(BMessenger()), fBook(book) {}

protected:
	ZIBook* AcquireBook(BMessage*) override { return fBook; }
	void ReleaseBook(BMessage*) override {}

private:
	ZIBook* fBook;
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
