#ifndef PASSWORD_TEXT_VIEW_H
#define PASSWORD_TEXT_VIEW_H

#include <string>

#include "MyEntryTextView.h"

// A field for a password: it shows a "*" for each character typed or pasted
// and keeps the characters themselves apart. Its text cannot be selected,
// so it is only ever changed at the caret.
class PasswordTextView : public MyEntryTextView {
public:
	PasswordTextView(BRect frame, const char* name, BRect textRect);

	void KeyDown(const char* bytes, int32 numBytes) override;

	// The characters typed, as UTF-8.
	std::string Password() const;

protected:
	void InsertText(const char* text, int32 length, int32 offset,
					const text_run_array* runs) override;

private:
	std::u32string fPassword;
};

#endif // PASSWORD_TEXT_VIEW_H
