#ifndef MYENTRYTEXTVIEW_H
#define MYENTRYTEXTVIEW_H

#include <TextView.h>

// A text field with a bevelled frame and a blue mark while it has the
// focus. Tab moves the focus on (Shift-Tab back) instead of entering a tab,
// Enter is left to the window's default button, and typing stops once the
// text is longer than 40 bytes (or a limit set). A field that does not wrap words holds one
// line: inserted or pasted text is cut before its first tab or line break.
class MyEntryTextView : public BTextView {
public:
	MyEntryTextView(BRect frame, const char* name, BRect textRect, uint32 resizingMode,
					uint32 flags);

	void Draw(BRect updateRect) override;
	void MakeFocus(bool focus = true) override;
	void KeyDown(const char* bytes, int32 numBytes) override;
	// Typing stops once the text is longer than bytes (40 unless set).
	void SetTypingLimit(int32 bytes) { fTypingLimit = bytes; }

protected:
	void InsertText(const char* text, int32 length, int32 offset,
					const text_run_array* runs) override;

private:
	int32 fTypingLimit;
};

#endif // MYENTRYTEXTVIEW_H
