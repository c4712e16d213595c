#include <string>

#include <gtest/gtest.h>

#include <unicode/utf8.h>

#include "CaseFolding.h"

namespace {

struct FoldCase {
	const char* name;
	std::string text;
	std::string folded;
};

class Fold : public testing::TestWithParam<FoldCase> {};

TEST_P(Fold, FoldsEveryScript)
{
	EXPECT_EQ(CaseFolding::Fold(GetParam().text), GetParam().folded);
}

INSTANTIATE_TEST_SUITE_P(
	Texts, Fold,
	testing::Values(FoldCase{"Ascii", "Smith, JOHN 42", "smith, john 42"},
					FoldCase{"SharpSExpands", "Straße STRASSE ẞ", "strasse strasse ss"},
					FoldCase{"GreekFinalSigma", "ΣΟΦΊΑ Ὀδυσσεύς", "σοφία ὀδυσσεύσ"},
					// The default folding, not the Turkic one.
					FoldCase{"DottedCapitalI", "İI", "i̇i"},
					FoldCase{"InvalidBytesKept", "A\xFF\xC3Z\xE2\x82", "a\xFF\xC3z\xE2\x82"},
					FoldCase{"Empty", "", ""}),
	[](const auto& info) { return info.param.name; });

TEST(Fold, LongTextSplitInsideACharacter)
{
	std::string text = "X";
	std::string folded = "x";
	for (int i = 0; i < 600000; i++) {
		text += "É";
		folded += "é";
	}
	EXPECT_EQ(CaseFolding::Fold(text), folded);
}

struct FindCase {
	const char* name;
	std::string key;
	std::string text;
	bool found;
};

class FoundIn : public testing::TestWithParam<FindCase> {};

TEST_P(FoundIn, IgnoresCaseInEveryScript)
{
	EXPECT_EQ(CaseFolding(GetParam().key).FoundIn(GetParam().text), GetParam().found);
}

// The fuzz corpus replayed by the tests holds the rows of accented
// capitals, the sharp s, the Kelvin sign and invalid bytes.
INSTANTIATE_TEST_SUITE_P(Texts, FoundIn,
						 testing::Values(FindCase{"SharpSInKey", "straße", "HAUPTSTRASSE", true},
										 FindCase{"AccentsCount", "emile", "Émile", false},
										 FindCase{"AsciiInAscii", "SMI", "Goldsmith", true},
										 FindCase{"NonAsciiKeyInAscii", "é", "EEE", false},
										 FindCase{"KeyLongerThanText", "smithers", "Smith", false},
										 FindCase{"EmptyKey", "", "", true},
										 FindCase{"TruncatedCharacter", "z", "\xC3", false}),
						 [](const auto& info) { return info.param.name; });

// The byte scan that turns texts down must never turn down a text that
// holds the key: for every character that folding changes, its folding and
// the first and last characters of it are found in it.
TEST(FoundIn, EveryChangedCharacterHoldsItsFolding)
{
	for (UChar32 c = 0x80; c <= 0x10FFFF; c++) {
		if (U_IS_SURROGATE(c))
			continue;
		char encoded[U8_MAX_LENGTH];
		int32_t length = 0;
		U8_APPEND_UNSAFE(encoded, length, c);
		std::string text = "a" + std::string(encoded, length) + "b";
		std::string folded = CaseFolding::Fold(std::string(encoded, length));
		if (folded == std::string(encoded, length))
			continue;
		int32_t firstEnd = 0;
		U8_FWD_1_UNSAFE(folded.data(), firstEnd);
		int32_t lastStart = static_cast<int32_t>(folded.size());
		U8_BACK_1_UNSAFE(folded.data(), lastStart);
		for (const std::string& key :
			 {folded, folded.substr(0, firstEnd), folded.substr(lastStart)})
			EXPECT_TRUE(CaseFolding(key).FoundIn(text)) << "U+" << std::hex << c;
	}
}

} // namespace
