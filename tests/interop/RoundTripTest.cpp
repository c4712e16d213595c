#include <gtest/gtest.h>

#include <glib.h>
#include <libebook-contacts/libebook-contacts.h>

#include <Entry.h>

#include "ContactExporter.h"
#include "InteropTestSupport.h"
#include "VCardMapping.h"
#include "ZIBFiles.h"

namespace {

// Records that stress the formats: every field at 40 bytes with multi-byte
// characters and the characters each format escapes, and records that have
// only one of the fields a formatted name falls back on.
std::vector<Fields>
HardRecords()
{
	std::vector<Fields> records;
	auto add = [&](std::initializer_list<std::pair<int, const char*>> values) {
		records.emplace_back(kFieldCount);
		for (const auto& [field, text] : values)
			records.back()[field] = text;
	};
	records.emplace_back();
	for (int field = 0; field < kFieldCount; field++) {
		std::string text = std::to_string(field) + "\xC3\xA9,;\\\":\xE2\x82\xAC ";
		while (text.size() < 40)
			text += static_cast<char>('a' + text.size() % 26);
		records.back().push_back(text);
	}
	add({});
	add({{kNicknameField, "only a nickname"}});
	add({{kCompanyField, "Only Company Ltd"}});
	add({{kEmail1Field, "only@example.org"}});
	add({{kEmail2Field, "second@example.org"}});
	add({{kComments2Field, "second comment only"}});
	add({{kCommentsField, "0123456789012345678901234567890123456789"}, {kComments2Field, "x"}});
	add({{kLastNameField, "Lee"}, {kAddress2Field, "Flat 2"}, {kCountryField, "Wales"}});
	add({{kFirstNameField, "  padded  "}, {kPhoneField, "+1 555"}, {kFaxField, "9"}});
	add({{kNicknameField, "twin"}, {kBirthdayField, "1970-04-15"}});
	add({{kNicknameField, "twin"}, {kBirthdayField, "1970-04-15"}});
	return records;
}

std::vector<Fields>
RoundTrip(const ZIBook& book, ExportFormat format)
{
	std::string exported = ContactExporter::Text(ContactExporter::AllRecords(book), format);
	ZIBook back(nullptr);
	ImportReport report;
	ContactImporter(&back, true).ImportText(exported, "exported", ImportFormat::kDetect, report);
	EXPECT_TRUE(report.Whole()) << report.Text();
	return Records(back);
}

class RoundTripTest : public testing::TestWithParam<ExportFormat> {};

TEST_P(RoundTripTest, HardRecordsComeBackFieldForField)
{
	ZIBook book(nullptr);
	AddRecords(book, HardRecords());
	EXPECT_EQ(RoundTrip(book, GetParam()), Records(book));
}

TEST_P(RoundTripTest, SampleBookComesBack)
{
	ZIBook book(nullptr);
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(ZIB_SAMPLE_BOOK, &ref), B_OK);
	ASSERT_EQ(ZIBFiles::ReadBook(&ref, &book), B_OK);
	ASSERT_GT(book.GetTotalRecordsInThisAB(), 3);
	EXPECT_EQ(RoundTrip(book, GetParam()), Records(book));
}

INSTANTIATE_TEST_SUITE_P(Formats, RoundTripTest,
						 testing::Values(ExportFormat::kVCard30, ExportFormat::kVCard40,
										 ExportFormat::kCsv),
						 [](const testing::TestParamInfo<ExportFormat>& info) {
							 return std::string(info.param == ExportFormat::kCsv       ? "Csv"
												: info.param == ExportFormat::kVCard30 ? "VCard30"
																					   : "VCard40");
						 });

// The exact bytes of a card: escapes, folds between whole characters, the
// required empty properties and the UIDs of records with equal fields, as
// earlier exports wrote them. Version 4.0 differs only in the heads.
TEST(VCardWriterTest, WritesTheSameBytesAsEver)
{
	std::string cards3 = R"(BEGIN:VCARD
VERSION:3.0
UID:6d57d40c-f925-510f-ac9e-ede390f9fa11
FN:1é\,\;\\":€ mnopqrstuvwxyzabcdefghijklmn 2é\,\;\\":€ mnopqrstuvwxy
 zabcdefghijklmn 3é\,\;\\":€ mnopqrstuvwxyzabcdefghijklmn
N:3é\,\;\\":€ mnopqrstuvwxyzabcdefghijklmn;1é\,\;\\":€ mnopqrstuvwxyz
 abcdefghijklmn;2é\,\;\\":€ mnopqrstuvwxyzabcdefghijklmn;;
NICKNAME:0é\,\;\\":€ mnopqrstuvwxyzabcdefghijklmn
TITLE:4é\,\;\\":€ mnopqrstuvwxyzabcdefghijklmn
ORG:5é\,\;\\":€ mnopqrstuvwxyzabcdefghijklmn
ADR;TYPE=HOME:;7é\,\;\\":€ mnopqrstuvwxyzabcdefghijklmn;6é\,\;\\":€ m
 nopqrstuvwxyzabcdefghijklmn;8é\,\;\\":€ mnopqrstuvwxyzabcdefghijklmn;9
 é\,\;\\":€ mnopqrstuvwxyzabcdefghijklmn;10é\,\;\\":€ nopqrstuvwxyzab
 cdefghijklmn;11é\,\;\\":€ nopqrstuvwxyzabcdefghijklmn
TEL;TYPE=VOICE:12é\,\;\\":€ nopqrstuvwxyzabcdefghijklmn
TEL;TYPE=CELL:13é\,\;\\":€ nopqrstuvwxyzabcdefghijklmn
TEL;TYPE=FAX:14é\,\;\\":€ nopqrstuvwxyzabcdefghijklmn
EMAIL;TYPE=INTERNET,PREF:15é\,\;\\":€ nopqrstuvwxyzabcdefghijklmn
EMAIL;TYPE=INTERNET:16é\,\;\\":€ nopqrstuvwxyzabcdefghijklmn
URL:17é\,\;\\":€ nopqrstuvwxyzabcdefghijklmn
NOTE:18é\,\;\\":€ nopqrstuvwxyzabcdefghijklmn\n19é\,\;\\":€ nopqrstuv
 wxyzabcdefghijklmn
BDAY:20é\,\;\\":€ nopqrstuvwxyzabcdefghijklmn
END:VCARD
BEGIN:VCARD
VERSION:3.0
UID:e42eda1c-2e05-5cb4-b812-356c0b9f856c
FN:
N:;;;;
EMAIL;TYPE=INTERNET:
EMAIL;TYPE=INTERNET:second@example.org
END:VCARD
BEGIN:VCARD
VERSION:3.0
UID:663dddd1-24e0-50f6-8ece-97ba6b90058f
FN:twin
N:;;;;
NICKNAME:twin
BDAY:1970-04-15
END:VCARD
BEGIN:VCARD
VERSION:3.0
UID:5e803dbe-d7bd-590d-9818-83fcbc1d4a80
FN:twin
N:;;;;
NICKNAME:twin
BDAY:1970-04-15
END:VCARD
)";
	std::string cards4 = cards3;
	for (auto [from, to] : std::initializer_list<std::pair<std::string, std::string>>{
			 {"VERSION:3.0", "VERSION:4.0"},
			 {"UID:", "UID:urn:uuid:"},
			 {"N:;;;;\n", ""},
			 {"ADR;TYPE=HOME", "ADR;TYPE=home"},
			 {"TEL;TYPE=VOICE", "TEL;TYPE=voice"},
			 {"TEL;TYPE=CELL", "TEL;TYPE=cell"},
			 {"TEL;TYPE=FAX", "TEL;TYPE=fax"},
			 {"EMAIL;TYPE=INTERNET,PREF", "EMAIL;PREF=1"},
			 {"EMAIL;TYPE=INTERNET", "EMAIL"},
		 }) {
		for (size_t at = 0; (at = cards4.find(from, at)) != std::string::npos; at += to.size())
			cards4.replace(at, from.size(), to);
	}
	ZIBook book(nullptr);
	std::vector<Fields> records = HardRecords();
	AddRecords(book, {records[0], records[5], records[10], records[11]});
	for (auto [format, cards] :
		 {std::pair{ExportFormat::kVCard30, &cards3}, std::pair{ExportFormat::kVCard40, &cards4}}) {
		std::string crlf;
		for (char byte : *cards)
			crlf += byte == '\n' ? std::string("\r\n") : std::string(1, byte);
		EXPECT_EQ(ContactExporter::Text(ContactExporter::AllRecords(book), format), crlf);
	}
}

// The sync engine's use: a record's fields go onto an existing card, whose
// other properties stay as they were.
TEST(VCardMappingTest, ApplyRecordKeepsUnmappedProperties)
{
	EVCard* card = e_vcard_new_from_string(
		"BEGIN:VCARD\r\nVERSION:3.0\r\nUID:keep-me\r\nFN:Old Name\r\nN:Old;Name;;Dr.;\r\n"
		"ORG:Old Co;Sales\r\nitem1.EMAIL;TYPE=INTERNET:old@example.org\r\n"
		"EMAIL:two@example.org\r\nEMAIL:three@example.org\r\n"
		"TEL;TYPE=CELL:1\r\nTEL;TYPE=PAGER,CELL:2\r\nPHOTO;ENCODING=b;TYPE=JPEG:AAAA\r\n"
		"X-SPOUSE:Bob\r\nNOTE:gone\r\nEND:VCARD\r\n");
	std::vector<Fields> wanted = HardRecords();
	ABookRecord record;
	for (int field = 0; field < kFieldCount; field++)
		record.SetField(field, wanted[0][field].c_str());
	record.SetField(kCommentsField, "");
	record.SetField(kComments2Field, "");
	VCardMapping::ApplyRecord(record, card);

	std::vector<std::string> dropped;
	ContactFields fields = VCardMapping::ReadFields(card, dropped);
	for (int field = 0; field < kFieldCount; field++)
		EXPECT_EQ(fields[field], record.Field(field)) << field;
	EXPECT_EQ(e_vcard_get_attribute(card, EVC_NOTE), nullptr);
	gchar* text = e_vcard_to_string(card, EVC_FORMAT_VCARD_30);
	std::string out = text;
	g_free(text);
	for (const char* kept : {"UID:keep-me", "Dr.", "Sales", "item1.EMAIL", "three@example.org",
							 "TEL;TYPE=PAGER,CELL:2", "PHOTO", "X-SPOUSE:Bob"})
		EXPECT_NE(out.find(kept), std::string::npos) << kept << "\n" << out;
	g_object_unref(card);
}

} // namespace
