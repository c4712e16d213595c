#include "BookGenerator.h"

#include <iterator>
#include <random>
#include <string>

#include "ABookRecord.h"
#include "BookConstants.h"
#include "ZIBook.h"

namespace {

const char* const kFirstNames[] = {
	"Anna",  "José",  "Zoë",   "Øyvind",  "François", "Łukasz", "Mei",        "Søren",
	"Aoife", "Björk", "Chidi", "Emily",   "Hiroshi",  "İlker",  "Małgorzata", "Noah",
	"Olga",  "Pedro", "Ramón", "Siobhán", "Tomás",    "Ursula", "Vítor",      "Yusuf"};
const char* const kLastNames[] = {
	"Müller",       "Smith",   "García", "Nguyễn", "O'Brien", "Kowalski",     "Ødegaard", "Dubois",
	"Rossi",        "Ivanova", "Kim",    "Larsen", "Novák",   "Papadopoulos", "Schäfer",  "Tanaka",
	"van der Berg", "Wójcik",  "Yılmaz", "Zhang",  "adams",   "brown",        "Åberg",    "Lee"};
const char* const kCities[] = {"Oslo", "Zürich", "São Paulo", "Kraków",  "Reykjavík", "Lyon",
							   "Köln", "Málaga", "Tromsø",    "Seattle", "Ōsaka",     "Cork"};
const char* const kStreets[] = {"Main Street", "Königsallee", "Rue de la Paix", "Calle Mayor",
								"Storgata",    "Ulica Długa", "Via Roma",       "Elm Road"};
const char* const kCompanies[] = {"Acme Ltd", "Vornak Software", "Hölzel & Söhne GmbH",
								  "Café Olé", "Nordlys AS",      ""};
const char* const kTitles[] = {"Dr.", "Prof.", "Ms.", "Mr.", "", "", ""};
// A full 40 bytes of UTF-8.
const char kLongComment[] = "Met at the conference in Zürich, 2019!!";

template <size_t N>
const char*
Pick(std::mt19937& random, const char* const (&choices)[N])
{
	return choices[random() % N];
}

std::string
Digits(std::mt19937& random, int count)
{
	std::string digits;
	for (int i = 0; i < count; i++)
		digits += static_cast<char>('0' + random() % 10);
	return digits;
}

} // namespace

void
GenerateBook(ZIBook* book, long count, unsigned seed)
{
	static_assert(sizeof(kLongComment) - 1 == kFieldTextLength);
	std::mt19937 random(seed);
	for (long i = 0; i < count; i++) {
		ABookRecord* record = book->makeNewRecord();
		std::string first = Pick(random, kFirstNames);
		std::string last = Pick(random, kLastNames);
		record->SetField(kNicknameField, (first.substr(0, 3) + std::to_string(i)).c_str());
		record->SetField(kFirstNameField, first.c_str());
		if (random() % 3 == 0)
			record->SetField(kMiddleNameField, Pick(random, kFirstNames));
		record->SetField(kLastNameField, last.c_str());
		record->SetField(kTitleField, Pick(random, kTitles));
		record->SetField(kCompanyField, Pick(random, kCompanies));
		record->SetField(
			kAddress1Field,
			(std::to_string(1 + random() % 300) + " " + Pick(random, kStreets)).c_str());
		if (random() % 4 == 0)
			record->SetField(kAddress2Field, ("Apt. " + Digits(random, 2)).c_str());
		record->SetField(kCityField, Pick(random, kCities));
		record->SetField(kZipField, Digits(random, 5).c_str());
		record->SetField(kPhoneField, ("+47 " + Digits(random, 8)).c_str());
		if (random() % 2 == 0)
			record->SetField(kCellField, ("+1 555 " + Digits(random, 7)).c_str());
		record->SetField(kEmail1Field, (first + "." + last + "@example.com").c_str());
		if (random() % 5 == 0)
			record->SetField(kWebAddressField, ("https://example.org/~" + first).c_str());
		if (random() % 4 == 0)
			record->SetField(kCommentsField, kLongComment);
		record->SetField(kBirthdayField,
						 (std::to_string(1940 + random() % 70) + "-0" +
						  std::to_string(1 + random() % 9) + "-1" + std::to_string(random() % 10))
							 .c_str());
		book->IncrementTotalRecordsInThisAB();
	}
}
