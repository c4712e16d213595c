#include "Font.h"

#include <cstring>

#include <QFontMetricsF>

#include "QtConversions.h"

// The dialogs' fixed frames were laid out for a 10-point font at 72 dots
// an inch: DejaVu Sans at 10 pixels fits every label into them, and its
// descenders into the two rows below a list row's baseline.
static const char* const kDefaultFamily = "DejaVu Sans";
static const float kDefaultSize = 10;

static const BFont sPlainFont;
static const BFont sBoldFont = [] {
	BFont font;
	font.SetBold(true);
	return font;
}();

const BFont* be_plain_font = &sPlainFont;
const BFont* be_bold_font = &sBoldFont;

BFont::BFont()
	: fFamily(kDefaultFamily), fSize(kDefaultSize), fBold(false), fHeight(), fHeightKnown(false)
{
}

BFont::BFont(const BFont* font) : BFont(font != nullptr ? *font : BFont())
{
}

void
BFont::SetSize(float size)
{
	if (size > 0 && size != fSize) {
		fSize = size;
		fHeightKnown = false;
	}
}

void
BFont::SetBold(bool bold)
{
	if (bold != fBold) {
		fBold = bold;
		fHeightKnown = false;
	}
}

float
BFont::StringWidth(const char* string) const
{
	return StringWidth(string, string != nullptr ? static_cast<int32>(strlen(string)) : 0);
}

float
BFont::StringWidth(const char* string, int32 length) const
{
	QFontMetricsF metrics(BPrivate::to_qt(*this));
	return static_cast<float>(metrics.horizontalAdvance(BPrivate::to_qt(string, length)));
}

void
BFont::GetHeight(font_height* height) const
{
	if (height == nullptr)
		return;
	if (!fHeightKnown) {
		QFontMetricsF metrics(BPrivate::to_qt(*this));
		fHeight.ascent = static_cast<float>(metrics.ascent());
		fHeight.descent = static_cast<float>(metrics.descent());
		fHeight.leading = static_cast<float>(metrics.leading());
		fHeightKnown = true;
	}
	*height = fHeight;
}

bool
BFont::operator==(const BFont& other) const
{
	return fFamily == other.fFamily && fSize == other.fSize && fBold == other.fBold;
}
