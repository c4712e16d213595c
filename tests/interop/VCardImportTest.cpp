#include <gtest/gtest.h>

#include "InteropTestSupport.h"

namespace {

struct QuirkRow {
	const char* name;
	const char* lines;
	int field;
	const char* expected;
};

class VCardQuirkTest : public testing::TestWithParam<QuirkRow> {};

TEST_P(VCardQuirkTest, FieldComesOut)
{
	ImportReport report;
	auto records =
		Import(std::string("BEGIN:VCARD\r\n") + GetParam().lines + "END:VCARD\r\n", report);
	ASSERT_EQ(records.size(), 1u) << report.Text();
	EXPECT_EQ(records[0][GetParam().field], GetParam().expected) << report.Text();
}

const QuirkRow kQuirkRows[] = {
	{"QuotedPrintableWithCharset",
	 "VERSION:2.1\r\nN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:M=FCller;J=F6rg\r\n",
	 kLastNameField, "M\xC3\xBCller"},
	{"QuotedPrintableSoftLineBreak",
	 "VERSION:2.1\r\nTITLE;ENCODING=QUOTED-PRINTABLE:Head =\r\nLibrar=\r\nian\r\n", kTitleField,
	 "Head Librarian"},
	{"BareTypeOfVersion21", "VERSION:2.1\r\nTEL;CELL;VOICE:555 01\r\n", kCellField, "555 01"},
	{"TypeList", "VERSION:3.0\r\nTEL;TYPE=cell,voice:555 02\r\n", kCellField, "555 02"},
	{"TypeRepeated", "VERSION:3.0\r\nTEL;TYPE=VOICE;TYPE=CELL:555 03\r\n", kCellField, "555 03"},
	{"TypeQuotedList", "VERSION:4.0\r\nTEL;TYPE=\"voice,fax\":555 04\r\n", kFaxField, "555 04"},
	{"TelUri", "VERSION:4.0\r\nTEL;VALUE=uri;TYPE=home:tel:+1-555-0105\r\n", kPhoneField,
	 "+1-555-0105"},
	{"GroupedProperty",
	 "VERSION:3.0\r\nitem1.EMAIL;TYPE=INTERNET:ann@example.org\r\n"
	 "item1.X-ABLabel:_$!<Other>!$_\r\n",
	 kEmail1Field, "ann@example.org"},
	{"Escapes", "VERSION:3.0\r\nORG:Smith\\, Jones \\; Co\\\\\r\n", kCompanyField,
	 "Smith, Jones ; Co\\"},
	{"FirstOrgComponent", "VERSION:3.0\r\nORG:Acme;Sales\r\n", kCompanyField, "Acme"},
	{"LineBreakBecomesSpace", "VERSION:3.0\r\nTITLE:Head\\nLibrarian\r\n", kTitleField,
	 "Head Librarian"},
	{"NoteLineBreakStartsComments2", "VERSION:3.0\r\nNOTE:one\\ntwo\\nthree\r\n", kComments2Field,
	 "two three"},
	{"LongNoteContinuesInComments2",
	 "VERSION:3.0\r\nNOTE:0123456789012345678901234567890123456789abc\r\n", kComments2Field, "abc"},
	{"FoldedWithSpaceOrTab", "VERSION:3.0\r\nNICKNAME:a\r\n n\r\n\tn\r\n", kNicknameField, "ann"},
	{"LineFeedOnly", "VERSION:3.0\nNICKNAME:lf\n", kNicknameField, "lf"},
	{"LowerCaseNames", "version:3.0\r\nnickname:low\r\n", kNicknameField, "low"},
	{"FormattedNameSplitsWhenNoN", "VERSION:3.0\r\nFN:Ann Marie Lee\r\nN:;;;;\r\n", kLastNameField,
	 "Lee"},
	{"StructuredNameWins", "VERSION:3.0\r\nFN:Someone Else\r\nN:Lee;Ann;Marie;Dr.;\r\n",
	 kMiddleNameField, "Marie"},
	{"PreferredEmailFirst",
	 "VERSION:3.0\r\nEMAIL:a@example.org\r\nEMAIL;TYPE=INTERNET,PREF:b@example.org\r\n",
	 kEmail1Field, "b@example.org"},
	{"OtherEmailSecond",
	 "VERSION:3.0\r\nEMAIL:a@example.org\r\nEMAIL;TYPE=INTERNET,PREF:b@example.org\r\n",
	 kEmail2Field, "a@example.org"},
	{"PrefParameterOfVersion40",
	 "VERSION:4.0\r\nEMAIL:a@example.org\r\nEMAIL;PREF=1:b@example.org\r\n", kEmail1Field,
	 "b@example.org"},
	{"HomeAddressBeforeWork",
	 "VERSION:3.0\r\nADR;TYPE=WORK:;;1 Work St;Worktown;;;\r\nADR;TYPE=HOME:;;2 Home "
	 "St;Hometown;;;\r\n",
	 kCityField, "Hometown"},
	{"PreferredAddressFirst",
	 "VERSION:3.0\r\nADR;TYPE=HOME:;;2 Home St;Hometown;;;\r\nADR;TYPE=WORK,PREF:;;1 Work "
	 "St;Worktown;;;\r\n",
	 kCityField, "Worktown"},
	{"PostOfficeBoxIsAddress2", "VERSION:3.0\r\nADR:PO Box 7;;;Town;;;\r\n", kAddress2Field,
	 "PO Box 7"},
	{"AddressParts", "VERSION:3.0\r\nADR:;Apt 4;1 Main St;Town;ST;12345;Land\r\n", kZipField,
	 "12345"},
	{"FirstOtherNumber", "VERSION:3.0\r\nTEL;TYPE=WORK:111\r\nTEL;TYPE=HOME:222\r\n", kPhoneField,
	 "111"},
	{"BirthdayAsWritten", "VERSION:2.1\r\nBDAY:19700415\r\n", kBirthdayField, "19700415"},
	{"EightBitWindows1252", "VERSION:2.1\r\nN:M\xFCller;J\xF6rg\r\n", kLastNameField,
	 "M\xC3\xBCller"},
	{"CutNeverSplitsCharacter",
	 "VERSION:3.0\r\nTITLE:012345678901234567890123456789012345678\xC3\xA9\r\n", kTitleField,
	 "012345678901234567890123456789012345678"},
};

INSTANTIATE_TEST_SUITE_P(Producers, VCardQuirkTest, testing::ValuesIn(kQuirkRows),
						 [](const testing::TestParamInfo<QuirkRow>& info) {
							 return info.param.name;
						 });

// A card that cannot be read is named and skipped; the others come in,
// whatever their line ends, after a byte order mark.
TEST(VCardImportTest, BrokenCardsAreSkippedAndNamed)
{
	ImportReport report;
	auto records = Import("\xEF\xBB\xBF"
						  "BEGIN:VCARD\nVERSION:3.0\nNICKNAME:good\nEND:VCARD\n"
						  "BEGIN:VCARD\r\nVERSION:2.1\r\nNICKNAME:two\r\nEND:VCARD\r\n"
						  "stray text\n"
						  "BEGIN:VCARD\nEND:VCARD\n"
						  "BEGIN:VCARD\nVERSION:3.0\nNICKNAME:cut off\n",
						  report);
	ASSERT_EQ(records.size(), 2u);
	EXPECT_EQ(records[0][kNicknameField], "good");
	EXPECT_EQ(records[1][kNicknameField], "two");
	EXPECT_EQ(report.Skipped(), 3);
	std::string text = report.Text();
	EXPECT_NE(text.find("in, card 3: the card holds no properties"), std::string::npos) << text;
	EXPECT_NE(text.find("in, card 4: the card has no END:VCARD"), std::string::npos) << text;
	EXPECT_NE(text.find("1 line outside any card"), std::string::npos) << text;
}

// Everything without a field is named in the report, per card.
TEST(VCardImportTest, DroppedPropertiesAreReported)
{
	ImportReport report;
	auto records = Import("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann Lee\r\nN:Lee;Ann;;Dr.;\r\n"
						  "EMAIL:1@example.org\r\nEMAIL:2@example.org\r\nEMAIL:3@example.org\r\n"
						  "ADR;TYPE=HOME:;;1 Home St;Town;;;\r\nADR:;;9 Other St;City;;;\r\n"
						  "PHOTO;ENCODING=b;TYPE=JPEG:AAAA\r\nX-SPOUSE:Bob\r\nbroken line\r\n"
						  "TEL;TYPE=CELL:1\r\nTEL;TYPE=CELL:2\r\n"
						  "END:VCARD\r\n",
						  report);
	ASSERT_EQ(records.size(), 1u);
	EXPECT_FALSE(report.Whole());
	std::string text = report.Text();
	for (const char* item :
		 {"in, card 1 (Ann Lee <1@example.org>)", "dropped: e-mail address 3@example.org",
		  "dropped: address 9 Other St, City", "dropped: PHOTO\n", "dropped: X-SPOUSE Bob",
		  "dropped: name prefix Dr.", "dropped: unreadable line broken line",
		  "dropped: phone number 2"})
		EXPECT_NE(text.find(item), std::string::npos) << item << "\n" << text;
}

} // namespace
