#include "MailtoUrl.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ABookRecord.h"

namespace {

struct Case {
	const char* name;
	const char* first;
	const char* last;
	const char* email1;
	const char* email2;
	const char* recipient;
};

class Recipients : public testing::TestWithParam<Case> {};

std::unique_ptr<ABookRecord>
MakeRecord(const Case& c)
{
	auto record = std::make_unique<ABookRecord>();
	record->SetField(kFirstNameField, c.first);
	record->SetField(kLastNameField, c.last);
	record->SetField(kEmail1Field, c.email1);
	record->SetField(kEmail2Field, c.email2);
	return record;
}

} // namespace

TEST_P(Recipients, NameTheRecordAndItsAddressEncodedForTheUrl)
{
	std::unique_ptr<ABookRecord> record = MakeRecord(GetParam());
	EXPECT_EQ(MailtoUrl::For({record.get()}), GetParam().recipient);
}

INSTANTIATE_TEST_SUITE_P(
	, Recipients,
	testing::Values(Case{"Email2WhenEmail1IsEmpty", "Ben", "", "", "ben@y.org",
						 "mailto:Ben%20%3Cben@y.org%3E"},
					Case{"Email2WhenEmail1IsTooShort", "", "", "ab", "c@d.e", "mailto:c@d.e"},
					Case{"NoAddress", "Cleo", "Xu", "", "ab", ""},
					// A comma would split the recipient; a quote inside is escaped.
					Case{"SpecialsAreQuoted", "Dan, \"D\"", "Wu", "d@z.org", "",
						 "mailto:%22Dan%2C%20%5C%22D%5C%22%20Wu%22%20%3Cd@z.org%3E"},
					Case{"Utf8AndUrlDelimiters", "J\xc3\xa9r\xc3\xb4me", "&?#", "j+x@o.fr", "",
						 "mailto:J%C3%A9r%C3%B4me%20%26%3F%23%20%3Cj%2Bx@o.fr%3E"}),
	[](const testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(MailtoUrl, CommasSeparateTheRecipientsOfRecordsWithAnAddress)
{
	auto ann = MakeRecord({"", "Ann", "", "ann@x.org", "", ""});
	auto none = MakeRecord({"", "Nobody", "", "", "", ""});
	auto bob = MakeRecord({"", "", "", "bob@y.org", "", ""});
	EXPECT_EQ(MailtoUrl::For({ann.get(), none.get(), bob.get()}),
			  "mailto:Ann%20%3Cann@x.org%3E,bob@y.org");
}
