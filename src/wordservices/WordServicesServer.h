#ifndef WORD_SERVICES_SERVER_H
#define WORD_SERVICES_SERVER_H

#include <Looper.h>
#include <Messenger.h>

#include <atomic>
#include <memory>

class ZIBook;
class ZIBWordServicesSession;

// Serves Word Services requests ('Btch') one at a time on a thread of its
// own, so that no client, however slow, holds the windows: a new request
// first ends the session before it (its client gets 'WStp'), takes what it
// needs from the book while a derived class holds the book locked
// (AcquireBook()), then talks to its client with the book free. A request
// that cannot start gets its 'WStp' and sends kMsgWordServicesError to the
// error target. Sessions post kMsgWordServicesAbort here when they end.
class WordServicesServer : public BLooper {
public:
	explicit WordServicesServer(const BMessenger& errors);
	~WordServicesServer() override;

	void MessageReceived(BMessage* message) override;

	// Thread-safe: the session in progress ends at its next step, and the
	// requests still queued are answered with 'WStp' alone. Call before
	// Quit(), so that quitting never waits for clients.
	void Close();

protected:
	// On this looper's thread: locks the book request is for and answers
	// it, or null when there is none (then the session serves nothing).
	// ReleaseBook() is called after, whatever AcquireBook() answered.
	virtual ZIBook* AcquireBook(BMessage* request) = 0;
	virtual void ReleaseBook(BMessage* request) = 0;

private:
	void _Serve(BMessage* request);

	BMessenger fErrors;
	std::unique_ptr<ZIBWordServicesSession> fSession;
	std::atomic<bool> fClosed;
};

#endif // WORD_SERVICES_SERVER_H
