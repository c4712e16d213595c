#ifndef BROWSERLAUNCHER_H
#define BROWSERLAUNCHER_H

#include <SupportDefs.h>

#include <string>

class BMessage;

// Opens web pages in the user's web browser, and new messages in the
// user's mail program. Thread-safe.
class BrowserLauncher {
public:
	// Opens url: an http or https address, or an address without a scheme
	// ("www.example.org"), which gets "http://". Anything else (another
	// scheme, an empty text) opens nothing and answers B_BAD_VALUE;
	// otherwise the launch status.
	static status_t GoToWebPage(const char* url);
	// Opens the message's string field "URL"; B_BAD_VALUE without one.
	static status_t GoToWebPage(const BMessage* message);

	// Opens url, which must be a mailto: URL, in the desktop's mail
	// program; anything else opens nothing and answers B_BAD_VALUE.
	static status_t ComposeMail(const std::string& url);

	// The address GoToWebPage(url) opens; empty when it opens none.
	static std::string WebAddress(const char* url);
};

#endif // BROWSERLAUNCHER_H
