#ifndef SCRIPTED_TEXT_H
#define SCRIPTED_TEXT_H

#include <Handler.h>
#include <SupportDefs.h>

#include <string>

// A text served to a Word Services server the way a client's text view
// serves it: B_GET_PROPERTY "Size" (int32 "result"), B_GET_PROPERTY "Text"
// with a range specifier (string "result"), B_SET_PROPERTY "Text" with a
// reverse-range specifier (no "data": delete; string "data": insert the
// first range bytes) and B_SET_PROPERTY "BackgroundHilite". Set replies
// carry int32 "error": B_OK, or B_BAD_INDEX for a range outside the text.
// Anything else goes to BHandler. Use with its looper locked.
//
// Edits that move from the front of the text to the back, as a session's
// do, cost only the bytes they pass: the text is kept as the part before
// the last edit and the part after it, and joined when it is read.
class ScriptedText : public BHandler {
public:
	explicit ScriptedText(const char* text);

	void MessageReceived(BMessage* message) override;

	const std::string& Text() const;
	// How many highlight requests arrived.
	int32 CountHilites() const { return fHilites; }

private:
	status_t _Get(const char* property, const BMessage& specifier, BMessage* reply) const;
	status_t _Set(const char* property, const BMessage& specifier, const BMessage& request);
	size_t _Size() const { return fHead.size() + fTail.size() - fTailStart; }
	// Makes position the end of fHead.
	void _MoveTo(size_t position);

	// The text is fHead, then fTail from fTailStart on.
	mutable std::string fHead;
	mutable std::string fTail;
	mutable size_t fTailStart;
	int32 fHilites;
};

#endif // SCRIPTED_TEXT_H
