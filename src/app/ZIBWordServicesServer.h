#ifndef ZIB_WORD_SERVICES_SERVER_H
#define ZIB_WORD_SERVICES_SERVER_H

#include "WordServicesServer.h"

// The application's Word Services looper: a request carries the messenger
// "window" of the main window that was active when it came, and is served
// on that window's book, read with the window locked.
class ZIBWordServicesServer : public WordServicesServer {
public:
	static constexpr char kWindowField[] = "window";

	using WordServicesServer::WordServicesServer;

protected:
	ZIBook* AcquireBook(BMessage* request) override;
	void ReleaseBook(BMessage* request) override;

private:
	BLooper* fLocked = nullptr;
};

#endif // ZIB_WORD_SERVICES_SERVER_H
