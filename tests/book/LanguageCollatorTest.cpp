#include <stdlib.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BookTestSupport.h"
#include "LanguageCollator.h"
#include "ZIBSort.h"
#include "ZIBook.h"

namespace {

// Last names in the order a book holds them, then in the order of the
// language's phone books and, where given, in the root order (the C locale).
// Polish stands for the languages whose accented letters follow their base
// letter; the Turkish i and Japanese readings differ in kind.
struct LanguageCase {
	const char* name;
	const char* locale;
	std::vector<std::string> names;
	std::vector<std::string> languageOrder;
	std::vector<std::string> rootOrder = {};
};

class SortByLanguage : public testing::TestWithParam<LanguageCase> {};

std::vector<std::string>
SortedLastNames(const std::vector<std::string>& names, const char* locale)
{
	ZIBook book(nullptr);
	for (const std::string& name : names)
		AddRecords(book, {{"", "", "", name}});
	LanguageCollator collator(locale);
	EXPECT_EQ(collator.InitCheck(), B_OK);
	EXPECT_TRUE(SortBook(&book, kLastNameField, &collator));
	ExpectConsistentLinks(book);
	return Column(book, kLastNameField);
}

TEST_P(SortByLanguage, OrdersAsThePhoneBooksOfTheLanguage)
{
	EXPECT_EQ(SortedLastNames(GetParam().names, GetParam().locale), GetParam().languageOrder);
	if (!GetParam().rootOrder.empty()) {
		EXPECT_EQ(SortedLastNames(GetParam().names, ""), GetParam().rootOrder);
	}
}

INSTANTIATE_TEST_SUITE_P(
	Languages, SortByLanguage,
	testing::Values(LanguageCase{"PolishWithEmptyName",
								 "pl_PL",
								 {"Sowa", "Śliwa", "Czarny", "Ćwik", "Lis", "Łukasz", "Zając",
								  "Żak", "Źrebiec", "", "Nowak"},
								 {"", "Czarny", "Ćwik", "Lis", "Łukasz", "Nowak", "Sowa", "Śliwa",
								  "Zając", "Źrebiec", "Żak"},
								 {"", "Ćwik", "Czarny", "Lis", "Łukasz", "Nowak", "Śliwa", "Sowa",
								  "Zając", "Żak", "Źrebiec"}},
					LanguageCase{"Turkish",
								 "tr_TR",
								 {"İnce", "Işık", "Ilgaz", "Çelik", "Cem", "Demir", "Şahin", "Sarı",
								  "Öztürk", "Oğuz", "Ünal", "Uçar"},
								 {"Cem", "Çelik", "Demir", "Ilgaz", "Işık", "İnce", "Oğuz",
								  "Öztürk", "Sarı", "Şahin", "Uçar", "Ünal"}},
					// Kanji by their readings (阿 a, 伊 i, 佐 sa, 山 san) rather than
					// by code point.
					LanguageCase{"Japanese",
								 "ja_JP",
								 {"山田", "佐藤", "伊藤", "阿部", "すずき", "タナカ", "Abe"},
								 {"Abe", "すずき", "タナカ", "阿部", "伊藤", "佐藤", "山田"}}),
	[](const auto& info) { return info.param.name; });

// Two texts under one locale: the sign of strcmp of their sort keys.
struct KeyCase {
	const char* name;
	const char* locale;
	std::string a;
	std::string b;
	int order;
};

class SortKeys : public testing::TestWithParam<KeyCase> {};

TEST_P(SortKeys, IgnoreCaseButNotAccents)
{
	LanguageCollator collator(GetParam().locale);
	std::vector<char> keys;
	collator.AppendSortKey(GetParam().a, keys);
	size_t second = keys.size();
	collator.AppendSortKey(GetParam().b, keys);
	ASSERT_EQ(keys.back(), '\0');
	// Each key ends at its own terminator.
	ASSERT_EQ(strlen(keys.data()) + 1, second);
	int order = strcmp(keys.data(), keys.data() + second);
	EXPECT_EQ((order > 0) - (order < 0), GetParam().order);
}

INSTANTIATE_TEST_SUITE_P(
	Texts, SortKeys,
	testing::Values(KeyCase{"CaseIgnored", "de_DE", "MÜLLER", "müller", 0},
					KeyCase{"AccentsCount", "de_DE", "Muller", "Müller", -1},
					KeyCase{"TurkishDotlessIsOneLetter", "tr_TR", "IŞIK", "ışık", 0},
					KeyCase{"RootDotlessIsAnother", "", "IŞIK", "ışık", -1},
					KeyCase{"KanaOfEitherKind", "ja_JP", "あべ", "アベ", 0},
					KeyCase{"EmptyFirst", "", "", "a", -1},
					KeyCase{"EmptyEqual", "sv_SE", "", "", 0},
					KeyCase{"InvalidBytesAsReplacement", "", "\xFF", "\xEF\xBF\xBD", 0},
					KeyCase{"LongerThanAField", "", std::string(200, 'b'), "c", -1}),
	[](const auto& info) { return info.param.name; });

// The environment as set before the lookup: LC_ALL, LC_COLLATE, LANG
// (nullptr: unset).
struct LocaleCase {
	const char* name;
	const char* all;
	const char* collate;
	const char* lang;
	std::string locale;
};

class UserLocale : public testing::TestWithParam<LocaleCase> {};

TEST_P(UserLocale, ComesFromTheEnvironment)
{
	const char* variables[] = {"LC_ALL", "LC_COLLATE", "LANG"};
	const char* values[] = {GetParam().all, GetParam().collate, GetParam().lang};
	std::optional<std::string> saved[3];
	for (int i = 0; i < 3; i++) {
		if (const char* old = getenv(variables[i]))
			saved[i] = old;
		values[i] != nullptr ? setenv(variables[i], values[i], 1) : unsetenv(variables[i]);
	}
	EXPECT_EQ(LanguageCollator::UserLocale(), GetParam().locale);
	for (int i = 0; i < 3; i++)
		saved[i] ? setenv(variables[i], saved[i]->c_str(), 1) : unsetenv(variables[i]);
}

INSTANTIATE_TEST_SUITE_P(
	Environments, UserLocale,
	testing::Values(LocaleCase{"CollateBeforeLang", nullptr, "sv_SE.UTF-8", "de_DE.UTF-8", "sv_SE"},
					LocaleCase{"LangAlone", nullptr, nullptr, "pl_PL.UTF-8@euro", "pl_PL"},
					LocaleCase{"EmptyCollateSkipped", nullptr, "", "tr_TR", "tr_TR"},
					LocaleCase{"AllBeforeCollate", "C", "de_DE.UTF-8", nullptr, ""},
					LocaleCase{"CIsRoot", nullptr, "C.UTF-8", "fr_FR", ""},
					LocaleCase{"PosixIsRoot", nullptr, nullptr, "POSIX", ""},
					LocaleCase{"NothingIsRoot", nullptr, nullptr, nullptr, ""}),
	[](const auto& info) { return info.param.name; });

} // namespace
