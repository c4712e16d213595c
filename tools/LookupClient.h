#ifndef LOOKUP_CLIENT_H
#define LOOKUP_CLIENT_H

#include <Looper.h>
#include <OS.h>

#include <memory>
#include <string>

class ScriptedText;

// The looper of zib-lookup: serves one text to the address book and
// releases a semaphore when the request is over ('WStp').
class LookupClient : public BLooper {
public:
	explicit LookupClient(const std::string& text);
	~LookupClient() override;

	void MessageReceived(BMessage* message) override;

	// The served text; a messenger target for the request.
	ScriptedText* Text() const { return fText.get(); }
	// Waits up to timeout for the end of the request: B_OK, B_TIMED_OUT.
	status_t WaitForStop(bigtime_t timeout);

private:
	std::unique_ptr<ScriptedText> fText;
	sem_id fStopped;
};

#endif // LOOKUP_CLIENT_H
