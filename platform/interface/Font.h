#ifndef FONT_H
#define FONT_H

#include <SupportDefs.h>

#include <string>

struct font_height {
	float ascent;
	float descent;
	float leading;
};

// A font: DejaVu Sans (or the desktop's nearest) at a size, plain or bold.
// A value type.
// Measuring needs the GUI (a BApplication) and its thread.
class BFont {
public:
	BFont();
	BFont(const BFont* font);

	void SetSize(float size);
	float Size() const { return fSize; }
	void SetBold(bool bold);
	bool IsBold() const { return fBold; }
	const std::string& Family() const { return fFamily; }

	// Width of the first length bytes of string (all of it by default).
	float StringWidth(const char* string) const;
	float StringWidth(const char* string, int32 length) const;
	void GetHeight(font_height* height) const;

	bool operator==(const BFont& other) const;
	bool operator!=(const BFont& other) const { return !(*this == other); }

private:
	std::string fFamily;
	float fSize;
	bool fBold;
	// Measured once per size and face: lists ask for every row.
	mutable font_height fHeight;
	mutable bool fHeightKnown;
};

extern const BFont* be_plain_font;
extern const BFont* be_bold_font;

#endif // FONT_H
