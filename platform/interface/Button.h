#ifndef BUTTON_H
#define BUTTON_H

#include <Control.h>

// A push button: a click, or Enter or space while it has the focus (or
// Enter anywhere in the window when it is the default button), invokes
// it. Its value is B_CONTROL_ON while the mouse holds it down. It draws in
// the desktop style, its label greyed while disabled and underlined in the
// navigation colour while focused; a subclass that overrides Draw() draws
// itself.
class BButton : public BControl {
public:
	BButton(BRect frame, const char* name, const char* label, BMessage* message,
			uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP,
			uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	~BButton() override;

	void Draw(BRect updateRect) override;
	void MouseDown(BPoint where) override;
	void MouseUp(BPoint where) override;
	void KeyDown(const char* bytes, int32 numBytes) override;

	// Makes this the window's default button (or stops it being that).
	virtual void MakeDefault(bool isDefault);
	bool IsDefault() const;
};

#endif // BUTTON_H
