#ifndef BROWSERLAUNCHER_H
#define BROWSERLAUNCHER_H

#include <SupportDefs.h>

#include <string>

class BMessage;

// Opens web pages in the user's web browser. Thread-safe.
class BrowserLauncher {
public:
	// Opens url: an http or https address, or an address without a scheme
	// ("www.example.org"), which gets "http://". Anything else (another
	// scheme, an empty text) opens nothing and answers B_BAD_VALUE;
	// otherwise the launch status.
	static status_t GoToWebPage(const char* url);
	// Opens the message's string field "URL"; B_BAD_VALUE without one.
	static status_t GoToWebPage(const BMessage* message);

	// The address GoToWebPage(url) opens; empty when it opens none.
	static std::string WebAddress(const char* url);
};

#endif // BROWSERLAUNCHER_H
