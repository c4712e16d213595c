#ifndef WORD_SERVICES_SESSION_H
#define WORD_SERVICES_SESSION_H

#include <Messenger.h>
#include <SupportDefs.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

class BMessage;

namespace BPrivate {
class ReplyQueue;
} // namespace BPrivate

// One Word Services request: the client's text targets, fetched one at a
// time through scripting ("Size", then "Text" with a range), and words
// replaced in the client by reverse-range "Text" sets, positions counted
// back from the end of the block. A derived class supplies Go().
//
// Every request to a target waits for its answer, bounded: one second for
// "Size", kTextTimeout for the others, and the whole request by
// kRequestTimeout; only the first kMaxTargets targets are served. Set
// requests go out up to kSetsAhead ahead of their answers, which are all
// taken before the next target is asked anything. Runs on
// one thread; not thread-safe, except for the cancel flag.
class WordServicesSession {
public:
	// Reads "Index", the first kMaxTargets "Target" messengers and the
	// return address of start; the request's time starts now. GetError(): B_OK, the status of
	// looking up "Target" (B_NAME_NOT_FOUND when there is none), or B_ERROR when out of memory.
	explicit WordServicesSession(BMessage* start);
	// Sends kMsgWordServicesStop to the client: one per session.
	virtual ~WordServicesSession();

	WordServicesSession(const WordServicesSession&) = delete;
	WordServicesSession& operator=(const WordServicesSession&) = delete;

	// Does nothing and answers 0; derived sessions do the work here.
	virtual int32 Go();
	// Makes target index current and fetches its text; past the last
	// target, or once the request is over (IsOver()), sets done and
	// answers B_OK without sending anything.
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
	// A flag that, once true, ends the request at its next step. Not owned;
	// it must outlive the session.
	void SetCancelFlag(const std::atomic<bool>* cancelled) { fCancelled = cancelled; }

	static constexpr bigtime_t kSizeTimeout = 1000000;
	static constexpr bigtime_t kTextTimeout = 10000000;
	static constexpr bigtime_t kRequestTimeout = 30000000;
	static constexpr int32 kMaxTargets = 64;
	static constexpr int32 kSetsAhead = 64;

protected:
	int32 MenuIndex() const { return fMenuIndex; }
	void SetError(status_t error) { fError = error; }
	bool IsDone() const { return fDone; }
	// Cancelled, or out of time.
	bool IsOver() const;
	// The block: the current target's text as last fetched.
	const std::string& Block() const { return fText; }

private:
	// Sends a set request; its answer changes nothing.
	void _Set(BMessage* request);
	// Takes the answer of the oldest set request on its way, or of all.
	void _TakeSetAnswer();
	void _TakeSetAnswers();
	// limit, or less when the request has less time left.
	bigtime_t _Limit(bigtime_t limit) const;
	// A synchronous request to the current target, within limit and the
	// time the request has left.
	status_t _Ask(BMessage* request, BMessage* reply, bigtime_t limit);

	int32 fMenuIndex;
	std::vector<BMessenger> fTargets;
	status_t fError;
	std::unique_ptr<BMessenger> fCurrentTarget;
	BMessenger fClient;
	std::string fText;
	bool fDone;
	bigtime_t fDeadline;
	const std::atomic<bool>* fCancelled;
	std::unique_ptr<BPrivate::ReplyQueue> fSetAnswers;
	int32 fSetsOnTheirWay;
};

#endif // WORD_SERVICES_SESSION_H
