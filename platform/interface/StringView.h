#ifndef STRING_VIEW_H
#define STRING_VIEW_H

#include <View.h>

#include <string>

// One line of text that the user cannot change. Attached, it takes its
// parent's view colour as its view and low colour.
class BStringView : public BView {
public:
	BStringView(BRect frame, const char* name, const char* text,
				uint32 resizingMode = B_FOLLOW_LEFT | B_FOLLOW_TOP, uint32 flags = B_WILL_DRAW);
	~BStringView() override;

	void AttachedToWindow() override;
	void Draw(BRect updateRect) override;

	void SetText(const char* text);
	const char* Text() const { return fText.c_str(); }
	void SetAlignment(alignment flag);

private:
	std::string fText;
	alignment fAlignment;
};

#endif // STRING_VIEW_H
