#ifndef ZIB_WORD_SERVICES_SESSION_H
#define ZIB_WORD_SERVICES_SESSION_H

#include <SupportDefs.h>

#include <string>

#include "WordServicesSession.h"

class ZIBook;

// The address book's Word Services request: every word of the client's
// text that is a record's nickname is replaced by that record's e-mail
// address (menu index 0) or formatted postal address (menu index 1).
// A word is a maximal run of ASCII letters and digits.
//
// Runs on the application's looper thread; the book is read there and must
// not change while Go() runs. Posts kMsgWordServicesAbort to
// be_app_messenger when Go() ends.
class ZIBWordServicesSession : public WordServicesSession {
public:
	// book is not owned; null serves the client nothing. A menu index other
	// than 0 or 1 makes GetError() kWordServicesBadIndex.
	ZIBWordServicesSession(BMessage* start, ZIBook* book);
	~ZIBWordServicesSession() override;

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

private:
	typedef bool (ZIBook::*Lookup)(const char* nickname, char* out, size_t outSize) const;

	int32 _ProcessBlock(Lookup lookup, size_t outSize);

	ZIBook* fBook;
};

#endif // ZIB_WORD_SERVICES_SESSION_H
