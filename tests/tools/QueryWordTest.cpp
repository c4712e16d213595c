#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CaseFolding.h"
#include "QueryWord.h"

namespace {

// The quick search answers what folding every text answers, for words and
// texts made of the pieces where they could part: letters in both cases,
// characters that fold to ASCII letters or to more than one, look-alikes
// that fold to neither, and bytes that are not UTF-8.
TEST(QueryWordTest, AnswersAsFoldingEveryText)
{
	const std::vector<std::string> pieces = {
		"a",
		"K",
		"k",
		"s",
		"S",
		"i",
		"I",
		"f",
		"t",
		"x",
		" ",
		"@",
		".",
		"\xC3\x9F",     // ß, folds to "ss"
		"\xC5\xBF",     // long s, folds to "s"
		"\xE2\x84\xAA", // Kelvin sign, folds to "k"
		"\xC4\xB0",     // İ, folds to "i" and a combining dot
		"\xC4\xB1",     // dotless ı, folds to itself
		"\xEF\xAC\x81", // the ligature fi
		"\xC3\x89",
		"\xC3\xA9", // É é
		"\xC5\x81", // Ł, whose last byte is that of Å
		"\xCE\xA3",
		"\xCF\x82", // Σ ς
		"\xFF",
		"\xC3",
		"\x84", // not UTF-8
	};
	std::mt19937 random(14);
	auto made = [&](int most) {
		std::string text;
		for (int count = 1 + random() % most; count > 0; count--)
			text += pieces[random() % pieces.size()];
		return text;
	};
	for (int round = 0; round < 400; round++) {
		std::string word = made(3);
		QueryWord quick(word);
		CaseFolding folding(word);
		for (int text = 0; text < 40; text++) {
			std::string haystack = made(24);
			ASSERT_EQ(quick.FoundIn(haystack), folding.FoundIn(haystack))
				<< "word \"" << word << "\" in \"" << haystack << "\"";
			if (folding.FoundIn(haystack)) {
				ASSERT_LT(quick.NextPlace(haystack, 0), haystack.size()) << word << " " << haystack;
			}
		}
	}
}

} // namespace
