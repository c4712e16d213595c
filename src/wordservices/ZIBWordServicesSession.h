#ifndef ZIB_WORD_SERVICES_SESSION_H
#define ZIB_WORD_SERVICES_SESSION_H

#include <SupportDefs.h>

#include <Messenger.h>

#include <memory>
#include <string>
#include <unordered_map>

#include "WordServicesSession.h"

class ZIBook;

// The address book's Word Services request: every word of the client's
// text that is a record's nickname is replaced by that record's e-mail
// address (menu index 0) or formatted postal address (menu index 1).
// A word is a maximal run of ASCII letters and digits.
//
// The book is read once, by TakeBook() (which the owner calls with the
// book locked); Go() then works from that copy, so the book is free while
// the clients answer. Posts kMsgWordServicesAbort to its owner
// (be_app_messenger unless set) when Go() ends.
class ZIBWordServicesSession : public WordServicesSession {
public:
	// book is not owned; null serves the client nothing. A menu index other
	// than 0 or 1 makes GetError() kWordServicesBadIndex.
	ZIBWordServicesSession(BMessage* start, ZIBook* book);
	~ZIBWordServicesSession() override;

	// Copies each nickname's replacement out of the book for the menu
	// index; nothing reads the book after. Go() calls it if nobody did.
	void TakeBook();
	// Works through every target, then posts kMsgWordServicesAbort. Answers 0.
	int32 Go() override;
	int32 ProcessEmailBlock();
	int32 ProcessPostalAddressBlock();

	// The next word at or after *cursor in the block: *word gets a copy,
	// *cursor moves past it, the distances count back from the end of the
	// block to the word's first byte and to the byte after it. False when
	// no word is left.
	bool GetNextWord(const char** cursor, std::string* word, int32* startDistance,
					 int32* endDistance) const;

	void SetABook(ZIBook* book) { fBook = book; }
	ZIBook* GetABook() const { return fBook; }
	void SetOwner(const BMessenger& owner) { fOwner = owner; }

private:
	int32 _ProcessBlock();

	ZIBook* fBook;
	BMessenger fOwner;
	// Lower-case nickname to replacement; null until the book is taken.
	std::unique_ptr<std::unordered_map<std::string, std::string>> fReplacements;
};

#endif // ZIB_WORD_SERVICES_SESSION_H
