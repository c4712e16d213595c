#ifndef WORD_SERVICES_SESSION_H
#define WORD_SERVICES_SESSION_H

#include <Messenger.h>
#include <SupportDefs.h>

#include <memory>
#include <string>
#include <vector>

class BMessage;

// One Word Services request: the client's text targets, fetched one at a
// time through scripting ("Size", then "Text" with a range), and words
// replaced in the client by reverse-range "Text" sets, positions counted
// back from the end of the block. A derived class supplies Go().
//
// Every request to a target is synchronous and bounded: one second for
// "Size", kTextTimeout for the others. Runs on one thread (the
// application's looper thread); not thread-safe.
class WordServicesSession {
public:
	// Reads "Index", the "Target" messengers and the return address of
	// start. GetError(): B_OK, the status of looking up "Target"
	// (B_NAME_NOT_FOUND when there is none), or B_ERROR when out of memory.
	explicit WordServicesSession(BMessage* start);
	// Sends kMsgWordServicesStop to the client: one per session.
	virtual ~WordServicesSession();

	WordServicesSession(const WordServicesSession&) = delete;
	WordServicesSession& operator=(const WordServicesSession&) = delete;

	// Does nothing and answers 0; derived sessions do the work here.
	virtual int32 Go();
	// Makes target index current and fetches its text; past the last
	// target, sets done and answers B_OK without sending anything.
	virtual status_t GetListBlock(int32 index);
	// Deletes the word that starts startDistance bytes and ends endDistance
	// bytes before the end of the block, then inserts replacement in its
	// place. Failures are ignored; answers 0.
	virtual int32 ReplaceClientWord(const char* replacement, int32 startDistance,
									int32 endDistance);
	// Switches the client's background highlight over that range; answers 0.
	virtual int32 BackgroundHilite(bool on, int32 startDistance, int32 endDistance);
	virtual void Done();
	// Keeps the string "result" of reply as the block. B_NAME_NOT_FOUND or
	// B_BAD_TYPE leave the session without a block.
	virtual status_t StashGottenData(BMessage* reply);
	// Fetches the current target's whole text. B_BAD_DATA when its size is
	// negative or over kWordServicesMaxText; else the messaging status.
	virtual status_t GetBlock();

	status_t GetError() const { return fError; }

	static const bigtime_t kSizeTimeout = 1000000;
	static const bigtime_t kTextTimeout = 10000000;

protected:
	int32 MenuIndex() const { return fMenuIndex; }
	void SetError(status_t error) { fError = error; }
	bool IsDone() const { return fDone; }
	// The block: the current target's text as last fetched.
	const std::string& Block() const { return fText; }

private:
	// Sends a set request and waits for its answer, which changes nothing.
	void _Set(BMessage* request);

	int32 fMenuIndex;
	std::vector<BMessenger> fTargets;
	status_t fError;
	std::unique_ptr<BMessenger> fCurrentTarget;
	BMessenger fClient;
	std::string fText;
	bool fDone;
};

#endif // WORD_SERVICES_SESSION_H
