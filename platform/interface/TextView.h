#ifndef TEXT_VIEW_H
#define TEXT_VIEW_H

#include <View.h>

#include <memory>
#include <string>

namespace BPrivate {
class TextEditor;
}

// Style runs are not kept: text views hold plain text.
struct text_run_array;

// Editable text over the desktop's text editor. Offsets and lengths count
// UTF-8 bytes. Typed keys reach KeyDown() through the window, so a subclass
// can filter them (Tab is inserted unless a subclass moves the focus);
// Ctrl combinations (copy, paste, menu shortcuts) are not typed text.
// Typed, pasted, dropped and inserted text all pass through InsertText(),
// where a subclass can change it. The text never grows beyond SetMaxBytes(),
// and never by part of a character. No scroll bars of its own: the text
// scrolls to keep the caret in sight.
class BTextView : public BView {
public:
	BTextView(BRect frame, const char* name, BRect textRect,
			  uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
			  uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	~BTextView() override;

	// Applies one typed key: text is inserted, Backspace and Delete
	// remove, arrows, Home and End move the caret (Shift extends).
	void KeyDown(const char* bytes, int32 numBytes) override;
	void MakeFocus(bool focus = true) override;

	void SetText(const char* text);
	void SetText(const char* text, int32 length);
	// Valid until the text next changes.
	const char* Text() const;
	int32 TextLength() const;
	// At the caret, replacing the selection; or at offset.
	void Insert(const char* text);
	void Insert(const char* text, int32 length);
	void Insert(int32 offset, const char* text, int32 length);
	void Delete(int32 start, int32 finish);
	void Delete();

	void Select(int32 start, int32 finish);
	void SelectAll();
	void GetSelection(int32* start, int32* finish) const;

	void MakeEditable(bool editable = true);
	bool IsEditable() const { return fEditable; }
	void MakeSelectable(bool selectable = true);
	// Text beyond maxBytes is cut off at once, at a character boundary.
	void SetMaxBytes(int32 maxBytes);
	void SetWordWrap(bool wrap);
	bool DoesWordWrap() const { return fWordWrap; }

protected:
	// Inserts length bytes of text at offset, keeping within SetMaxBytes().
	// runs is ignored.
	virtual void InsertText(const char* text, int32 length, int32 offset,
							const text_run_array* runs);

private:
	friend class BPrivate::TextEditor;

	void _InsertAtCursor(const char* text, int32 length);
	void _PlaceEditor();
	void _EnforceMaxBytes(int position, int charsAdded);
	void _MoveCursor(char key, bool extend);
	void _UpdateInteraction();

	BPrivate::TextEditor* fEditor; // child widget of the view's widget
	mutable std::string fText;
	BRect fTextRect;
	int32 fMaxBytes;
	bool fWordWrap;
	bool fEditable;
	bool fSelectable;
	bool fTrimming;
};

#endif // TEXT_VIEW_H
