#ifndef WORD_SERVICES_REGISTRATION_H
#define WORD_SERVICES_REGISTRATION_H

#include <SupportDefs.h>

class BNode;

// The attributes on an executable that make it a Word Services server:
// "WordServicesServer" (int32 1) and the menu items clients offer, "Menu
// String Count" (int32 2), "Menu String 0" and "Menu String 1" (strings
// with their terminator). A request's menu index is the item's number.
//
// Used by the application at start and by the install, which writes them
// on the installed executable (a user's program often cannot write to its
// own file). Not thread-safe for one node.
class WordServicesRegistration final {
public:
	WordServicesRegistration() = delete;

	// Each answers B_OK or the error of the first write that failed.
	static status_t WriteServerAttribute(BNode* node);
	static status_t WriteMenuStrings(BNode* node);
};

#endif // WORD_SERVICES_REGISTRATION_H
