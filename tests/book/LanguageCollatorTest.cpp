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

// Polish phone books put accented letters after their base letter; the root
// order (the C locale) does not. Other languages' orders are ICU's tables.
TEST(SortByLanguage, OrdersAsThePhoneBooksOfTheLanguage)
{
	const std::vector<std::string> names = {"Sowa",  "Śliwa", "Czarny",  "Ćwik", "Lis",  "Łukasz",
											"Zając", "Żak",   "Źrebiec", "",     "Nowak"};
	EXPECT_EQ(SortedLastNames(names, "pl_PL"),
			  (std::vector<std::string>{"", "Czarny", "Ćwik", "Lis", "Łukasz", "Nowak", "Sowa",
										"Śliwa", "Zając", "Źrebiec", "Żak"}));
	EXPECT_EQ(SortedLastNames(names, ""),
			  (std::vector<std::string>{"", "Ćwik", "Czarny", "Lis", "Łukasz", "Nowak", "Śliwa",
										"Sowa", "Zając", "Żak", "Źrebiec"}));
}

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
					KeyCase{"EmptyFirst", "", "", "a", -1},
					KeyCase{"EmptyEqual", "sv_SE", "", "", 0},
					KeyCase{"InvalidBytesAsReplacement", "", "\xFF", "\xEF\xBF\xBD", 0},
					KeyCase{"LongerThanAField", "", std::string(200, 'b'), "c", -1}),
	[](const auto& info) { return info.param.name; });

// LC_ALL, then LC_COLLATE, then LANG (nullptr: unset) name the locale,
// without encoding or modifier; C and POSIX are the root order.
TEST(UserLocale, ComesFromTheEnvironment)
{
	const char* variables[] = {"LC_ALL", "LC_COLLATE", "LANG"};
	const struct {
		const char* values[3];
		std::string locale;
	} rows[] = {{{nullptr, "sv_SE.UTF-8", "de_DE.UTF-8"}, "sv_SE"},
				{{nullptr, "", "pl_PL.UTF-8@euro"}, "pl_PL"},
				{{"C.UTF-8", "de_DE.UTF-8", nullptr}, ""},
				{{nullptr, nullptr, "POSIX"}, ""},
				{{nullptr, nullptr, nullptr}, ""}};
	std::optional<std::string> saved[3];
	for (int i = 0; i < 3; i++) {
		if (const char* old = getenv(variables[i]))
			saved[i] = old;
	}
	for (const auto& row : rows) {
		for (int i = 0; i < 3; i++)
			row.values[i] != nullptr ? setenv(variables[i], row.values[i], 1)
									 : unsetenv(variables[i]);
		EXPECT_EQ(LanguageCollator::UserLocale(), row.locale) << &row - rows;
	}
	for (int i = 0; i < 3; i++)
		saved[i] ? setenv(variables[i], saved[i]->c_str(), 1) : unsetenv(variables[i]);
}

} // namespace
