#include <gtest/gtest.h>

#include "CsvReader.h"
#include "InteropTestSupport.h"

namespace {

TEST(CsvReaderTest, Rfc4180)
{
	bool unclosed = true;
	auto rows = CsvReader::Rows("\xEF\xBB\xBF"
								"a,\"b,c\",\"say \"\"hi\"\"\"\r\n"
								"\r\n"
								"\"two\r\nlines\",,x\"y\n"
								"last",
								unclosed);
	EXPECT_FALSE(unclosed);
	std::vector<CsvReader::Row> expected = {
		{"a", "b,c", "say \"hi\""}, {"two\r\nlines", "", "x\"y"}, {"last"}};
	EXPECT_EQ(rows, expected);
	CsvReader::Rows("a,\"never closed\n", unclosed);
	EXPECT_TRUE(unclosed);
}

struct DialectRow {
	const char* name;
	const char* text;
	std::vector<std::pair<int, const char*>> fields;
	int dropped;
};

class CsvDialectTest : public testing::TestWithParam<DialectRow> {};

TEST_P(CsvDialectTest, FieldsComeOut)
{
	ImportReport report;
	auto records = Import(GetParam().text, report);
	ASSERT_EQ(records.size(), 1u) << report.Text();
	for (const auto& [field, value] : GetParam().fields)
		EXPECT_EQ(records[0][field], value) << gInitFieldNames[field] << "\n" << report.Text();
	std::string text = report.Text();
	int dropped = 0;
	for (size_t at = text.find("dropped:"); at != std::string::npos;
		 at = text.find("dropped:", at + 1))
		dropped++;
	EXPECT_EQ(dropped, GetParam().dropped) << text;
}

const DialectRow kDialectRows[] = {
	{"Google",
	 "Name,Given Name,Additional Name,Family Name,Nickname,Birthday,Notes,Group Membership,"
	 "E-mail 1 - Type,E-mail 1 - Value,E-mail 2 - Type,E-mail 2 - Value,Phone 1 - Type,"
	 "Phone 1 - Value,Phone 2 - Type,Phone 2 - Value,Address 1 - Type,Address 1 - Formatted,"
	 "Address 1 - Street,Address 1 - City,Address 1 - PO Box,Address 1 - Region,"
	 "Address 1 - Postal Code,Address 1 - Country,Address 1 - Extended Address,"
	 "Organization 1 - Type,Organization 1 - Name,Organization 1 - Title,Website 1 - Type,"
	 "Website 1 - Value\r\n"
	 "Ann Lee,Ann,,Lee,annie,1979-04-12,Likes tea,* myContacts,Work,w@example.org,* Home,"
	 "h@example.org ::: x@example.org,Mobile,555 1,Work Fax,555 2,Home,\"1 Main St\nTown\","
	 "1 Main St,Town,,ME,04101,USA,,,Acme,Boss,Profile,https://example.org\r\n",
	 {{kFirstNameField, "Ann"},
	  {kNicknameField, "annie"},
	  {kEmail1Field, "h@example.org"},
	  {kEmail2Field, "w@example.org"},
	  {kCellField, "555 1"},
	  {kFaxField, "555 2"},
	  {kAddress1Field, "1 Main St"},
	  {kZipField, "04101"},
	  {kCompanyField, "Acme"},
	  {kTitleField, "Boss"},
	  {kWebAddressField, "https://example.org"},
	  {kCommentsField, "Likes tea"},
	  {kBirthdayField, "1979-04-12"}},
	 1},
	{"Outlook",
	 "Title,First Name,Middle Name,Last Name,Suffix,Company,Department,Job Title,"
	 "Business Street,Business City,Business Postal Code,Home Street,Home Street 2,Home City,"
	 "Home State,Home Postal Code,Home Country/Region,Business Fax,Business Phone,Home Phone,"
	 "Mobile Phone,Birthday,E-mail Address,E-mail Type,E-mail Display Name,E-mail 2 Address,"
	 "Notes,Priority,Sensitivity,Web Page\r\n"
	 "Mr.,Bob,,Okafor,,Okafor & Sons,Site,Engineer,9 Yard Rd,Worktown,111,77 Mill Lane,Unit 2,"
	 "Greyhaven,OR,97201,USA,555 9,555 8,555 7,555 6,0/0/00,bob@example.net,SMTP,Bob,"
	 "b2@example.net,Plays bass,Normal,Normal,okafor.example.net\r\n",
	 {{kTitleField, "Engineer"},
	  {kCompanyField, "Okafor & Sons"},
	  {kAddress1Field, "77 Mill Lane"},
	  {kAddress2Field, "Unit 2"},
	  {kCityField, "Greyhaven"},
	  {kFaxField, "555 9"},
	  {kPhoneField, "555 8"},
	  {kCellField, "555 6"},
	  {kBirthdayField, ""},
	  {kEmail2Field, "b2@example.net"}},
	 // Mr. and Department; the work address; the home phone.
	 4},
	{"Thunderbird",
	 "First Name,Last Name,Display Name,Nickname,Primary Email,Secondary Email,Screen Name,"
	 "Work Phone,Home Phone,Fax Number,Pager Number,Mobile Number,Home Address,Home Address 2,"
	 "Home City,Home State,Home ZipCode,Home Country,Work Address,Work Address 2,Work City,"
	 "Work State,Work ZipCode,Work Country,Job Title,Department,Organization,Web Page 1,"
	 "Web Page 2,Birth Year,Birth Month,Birth Day,Custom 1,Custom 2,Custom 3,Custom 4,Notes,\r\n"
	 "Zo\xC3\xAB,Lef\xC3\xA8vre,Zo\xC3\xAB Lef\xC3\xA8vre,zoe,zoe@example.fr,,,+33 1,,,,+33 6,"
	 "8 rue des Tilleuls,B\xC3\xA2timent B,Lyon,,69003,France,,,,,,,Illustrator,,Atelier,,,"
	 "1990,3,7,,,,,\"line one\nline two\",\r\n",
	 {{kLastNameField, "Lef\xC3\xA8vre"},
	  {kEmail1Field, "zoe@example.fr"},
	  {kPhoneField, "+33 1"},
	  {kCellField, "+33 6"},
	  {kAddress2Field, "B\xC3\xA2timent B"},
	  {kCompanyField, "Atelier"},
	  {kBirthdayField, "1990-03-07"},
	  {kCommentsField, "line one"},
	  {kComments2Field, "line two"}},
	 0},
	{"OwnWithMonthAndDayOnly",
	 "Nickname,Birth Month,Birth Day,Comments,Comments 2\nnick,12,24,a,b\n",
	 {{kNicknameField, "nick"},
	  {kBirthdayField, "--12-24"},
	  {kCommentsField, "a"},
	  {kComments2Field, "b"}},
	 0},
	{"UnknownColumnAndExtraValue",
	 "Nickname,Shoe Size\nnick,44,extra\n",
	 {{kNicknameField, "nick"}},
	 2},
};

INSTANTIATE_TEST_SUITE_P(Producers, CsvDialectTest, testing::ValuesIn(kDialectRows),
						 [](const testing::TestParamInfo<DialectRow>& info) {
							 return info.param.name;
						 });

// A CSV file without a known column is skipped and named.
TEST(CsvImportTest, FileWithoutAKnownColumnIsSkipped)
{
	ImportReport report;
	EXPECT_TRUE(Import("a,b,c\n1,2,3\n", report, ImportFormat::kCsv).empty());
	EXPECT_EQ(report.Skipped(), 1);
	EXPECT_NE(report.Text().find("in: the first row names no column of an address book"),
			  std::string::npos)
		<< report.Text();
}

} // namespace
