#ifndef WORD_SERVICES_REGISTRATION_H
#define WORD_SERVICES_REGISTRATION_H

#include <sys/types.h>

#include <SupportDefs.h>

class BNode;

// The Word Services registration of an executable: the attributes client
// applications read to offer the server's menu items, and the volume index
// over "WordServicesServer" through which they find servers. Shared by the
// application, which checks it at every start, and by zib-register, which
// writes it at install time. Not thread-safe for one node.

extern const char* const kWordServicesServerAttr;
extern const char* const kMenuStringCountAttr;
// "Menu String <n>" for the menu index n.
extern const char* const kMenuStringAttrs[2];
// The menu items, by menu index.
extern const char* const kMenuStrings[2];

// B_OK when device has the "WordServicesServer" index; when it had none,
// *created is true and the answer is the status of creating it.
status_t ValidateWordServicesIndex(dev_t device, bool* created);

// Writes "WordServicesServer" = 1. B_OK or the write's status.
status_t WriteWordServicesAttribute(BNode* node);
// Writes "Menu String Count" = 2, then both menu strings with their
// terminators; every write is tried. B_OK or the first failure.
status_t WriteMenuStringsAttributes(BNode* node);

// What a start repairs: "WordServicesServer" when rewriteServer (the index
// was just created) or when node lacks it; the count and menu strings only
// when node lacks "Menu String Count", so existing strings are never
// rewritten. B_OK or the first failing write.
status_t RepairWordServicesAttributes(BNode* node, bool rewriteServer);

#endif // WORD_SERVICES_REGISTRATION_H
