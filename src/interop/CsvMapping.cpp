#include "CsvMapping.h"

#include <cstring>
#include <map>

#include "ImportReport.h"
#include "InteropText.h"

namespace {

enum Role {
	kUnknown,
	kIgnored,
	kDefaultValued,
	kText,
	kComments,
	kComments2,
	kBirthYear,
	kBirthMonth,
	kBirthDay,
	kAddressPart,
	kAddressLabel,
	kPhone,
	kPhoneLabel,
	kEmail,
	kEmailLabel,
	kUrl,
};

struct Column {
	Role role = kUnknown;
	std::string ContactDraft::*text = nullptr;
	std::string ContactDraft::Address::*part = nullptr;
	ContactDraft::PhoneKind kind = ContactDraft::kOtherPhone;
	// Columns of one address, or of a Google number or e-mail address and
	// its label, share a group.
	std::string group;
	bool home = false;
};

struct Named {
	const char* name;
	std::string ContactDraft::*text;
};

const Named kTextColumns[] = {
	{"Nickname", &ContactDraft::nickname},
	{"First Name", &ContactDraft::first},
	{"Given Name", &ContactDraft::first},
	{"Middle Name", &ContactDraft::middle},
	{"Additional Name", &ContactDraft::middle},
	{"Last Name", &ContactDraft::last},
	{"Family Name", &ContactDraft::last},
	{"Name", &ContactDraft::formattedName},
	{"Display Name", &ContactDraft::formattedName},
	{"Job Title", &ContactDraft::title},
	{"Organization Title", &ContactDraft::title},
	{"Organization 1 - Title", &ContactDraft::title},
	{"Company", &ContactDraft::company},
	{"Organization", &ContactDraft::company},
	{"Organization Name", &ContactDraft::company},
	{"Organization 1 - Name", &ContactDraft::company},
	{"Notes", &ContactDraft::note},
	{"Birthday", &ContactDraft::birthday},
};

const char* const kOtherPhones[] = {
	"Phone Number",      "Primary Phone",  "Home Phone",
	"Home Phone 2",      "Business Phone", "Business Phone 2",
	"Work Phone",        "Other Phone",    "Company Main Phone",
	"Car Phone",         "Pager",          "Pager Number",
	"Assistant's Phone", "Callback",       "ISDN",
	"Radio Phone",       "TTY/TDD Phone",  "Telex",
};
const char* const kCellPhones[] = {"Cell Number", "Mobile Phone", "Mobile Number"};
const char* const kFaxPhones[] = {"FAX Number", "Business Fax", "Home Fax", "Other Fax"};
const char* const kEmails[] = {"Email 1",          "Email 2",          "E-mail Address",
							   "E-mail 2 Address", "E-mail 3 Address", "Primary Email",
							   "Secondary Email"};
const char* const kUrls[] = {"Web Address", "Web Page", "Web Page 1", "Web Page 2"};
const char* const kIgnoredColumns[] = {
	"E-mail Display Name",
	"E-mail 2 Display Name",
	"E-mail 3 Display Name",
	"E-mail Type",
	"E-mail 2 Type",
	"E-mail 3 Type",
	"Group Membership",
	"Labels",
	"File As",
};
// Outlook fills these on every row; only another value is worth a report.
const char* const kDefaultValuedColumns[] = {"Priority", "Sensitivity", "Private", "Gender"};
const char* const kDefaultValues[] = {"Normal", "False", "Unspecified", ""};

struct Part {
	const char* name;
	std::string ContactDraft::Address::*part;
};

// Our own columns, then Outlook's and Thunderbird's after "Home ",
// "Business ", "Work " or "Other ", then Google's after "Address n - ".
const Part kOwnAddress[] = {
	{"Address 1", &ContactDraft::Address::street},
	{"Address 2", &ContactDraft::Address::extended},
	{"City", &ContactDraft::Address::city},
	{"State", &ContactDraft::Address::region},
	{"Zip/Postal Code", &ContactDraft::Address::postalCode},
	{"Country", &ContactDraft::Address::country},
};
const Part kPrefixedAddress[] = {
	{"Street", &ContactDraft::Address::street},
	{"Street 2", &ContactDraft::Address::extended},
	{"Street 3", &ContactDraft::Address::extended},
	{"Address", &ContactDraft::Address::street},
	{"Address 2", &ContactDraft::Address::extended},
	{"City", &ContactDraft::Address::city},
	{"State", &ContactDraft::Address::region},
	{"Postal Code", &ContactDraft::Address::postalCode},
	{"ZipCode", &ContactDraft::Address::postalCode},
	{"Country/Region", &ContactDraft::Address::country},
	{"Country", &ContactDraft::Address::country},
	{"Address PO Box", &ContactDraft::Address::poBox},
};
const Part kGoogleAddress[] = {
	{"Street", &ContactDraft::Address::street},
	{"Extended Address", &ContactDraft::Address::extended},
	{"PO Box", &ContactDraft::Address::poBox},
	{"City", &ContactDraft::Address::city},
	{"Region", &ContactDraft::Address::region},
	{"Postal Code", &ContactDraft::Address::postalCode},
	{"Country", &ContactDraft::Address::country},
};

template <typename Table>
bool
Listed(const Table& table, std::string_view name)
{
	for (const char* entry : table) {
		if (EqualsIgnoringCase(entry, name))
			return true;
	}
	return false;
}

bool
StartsWith(std::string_view text, std::string_view prefix)
{
	return text.size() >= prefix.size() &&
		   EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// Google's numbered columns: "Phone 2 - Value" gives kind "Phone", group
// "Phone 2" and detail "Value".
bool
SplitNumbered(std::string_view name, std::string& kind, std::string& group, std::string& detail)
{
	size_t dash = name.find(" - ");
	if (dash == std::string_view::npos)
		return false;
	group = std::string(name.substr(0, dash));
	detail = std::string(name.substr(dash + 3));
	size_t space = group.rfind(' ');
	if (space == std::string::npos ||
		group.find_first_not_of("0123456789", space + 1) != std::string::npos ||
		space + 1 == group.size())
		return false;
	kind = group.substr(0, space);
	return true;
}

Column
Classify(std::string_view name, bool outlook)
{
	Column column;
	for (const Named& named : kTextColumns) {
		if (EqualsIgnoringCase(named.name, name)) {
			column.role = kText;
			column.text = named.text;
			return column;
		}
	}
	// Outlook's "Title" is the form of address ("Mr."); ours is the job.
	if (EqualsIgnoringCase(name, "Title")) {
		column.role = outlook ? kUnknown : kText;
		column.text = &ContactDraft::title;
		return column;
	}
	struct {
		const char* name;
		Role role;
	} const kSingles[] = {{"Comments", kComments},
						  {"Comments 2", kComments2},
						  {"Birth Year", kBirthYear},
						  {"Birth Month", kBirthMonth},
						  {"Birth Day", kBirthDay}};
	for (const auto& single : kSingles) {
		if (EqualsIgnoringCase(single.name, name)) {
			column.role = single.role;
			return column;
		}
	}
	if (Listed(kOtherPhones, name) || Listed(kCellPhones, name) || Listed(kFaxPhones, name)) {
		column.role = kPhone;
		column.kind = Listed(kCellPhones, name)  ? ContactDraft::kCellPhone
					  : Listed(kFaxPhones, name) ? ContactDraft::kFaxPhone
												 : ContactDraft::kOtherPhone;
		return column;
	}
	if (Listed(kEmails, name)) {
		column.role = kEmail;
		return column;
	}
	if (Listed(kUrls, name)) {
		column.role = kUrl;
		return column;
	}
	if (Listed(kIgnoredColumns, name)) {
		column.role = kIgnored;
		return column;
	}
	if (Listed(kDefaultValuedColumns, name)) {
		column.role = kDefaultValued;
		return column;
	}
	for (const Part& part : kOwnAddress) {
		if (EqualsIgnoringCase(part.name, name)) {
			column.role = kAddressPart;
			column.part = part.part;
			column.home = true;
			return column;
		}
	}
	for (const char* prefix : {"Home ", "Business ", "Work ", "Other "}) {
		if (!StartsWith(name, prefix))
			continue;
		for (const Part& part : kPrefixedAddress) {
			if (EqualsIgnoringCase(part.name, name.substr(strlen(prefix)))) {
				column.role = kAddressPart;
				column.part = part.part;
				column.group = prefix;
				column.home = EqualsIgnoringCase(prefix, "Home ");
				return column;
			}
		}
	}
	std::string kind, group, detail;
	if (!SplitNumbered(name, kind, group, detail))
		return column;
	column.group = group;
	bool isLabel = EqualsIgnoringCase(detail, "Type") || EqualsIgnoringCase(detail, "Label");
	bool isValue = EqualsIgnoringCase(detail, "Value");
	if (EqualsIgnoringCase(kind, "Phone") && (isLabel || isValue)) {
		column.role = isLabel ? kPhoneLabel : kPhone;
	} else if (EqualsIgnoringCase(kind, "E-mail") && (isLabel || isValue)) {
		column.role = isLabel ? kEmailLabel : kEmail;
	} else if (EqualsIgnoringCase(kind, "Website") && (isLabel || isValue)) {
		column.role = isLabel ? kIgnored : kUrl;
	} else if (EqualsIgnoringCase(kind, "Organization") && isLabel) {
		column.role = kIgnored;
	} else if (EqualsIgnoringCase(kind, "Address")) {
		if (isLabel)
			column.role = kAddressLabel;
		else if (EqualsIgnoringCase(detail, "Formatted"))
			column.role = kIgnored;
		for (const Part& part : kGoogleAddress) {
			if (EqualsIgnoringCase(part.name, detail)) {
				column.role = kAddressPart;
				column.part = part.part;
			}
		}
	}
	return column;
}

// Google joins several values of one column with " ::: ".
std::vector<std::string>
Values(const std::string& text)
{
	std::vector<std::string> values;
	size_t start = 0;
	while (true) {
		size_t end = text.find(" ::: ", start);
		values.push_back(text.substr(start, end - start));
		if (end == std::string::npos)
			return values;
		start = end + 5;
	}
}

bool
Contains(const std::string& text, std::string_view word)
{
	for (size_t i = 0; i + word.size() <= text.size(); i++) {
		if (EqualsIgnoringCase(std::string_view(text).substr(i, word.size()), word))
			return true;
	}
	return false;
}

std::string
Padded(const std::string& number, size_t width)
{
	return number.size() >= width ? number : std::string(width - number.size(), '0') + number;
}

class RowReader {
public:
	RowReader(const CsvReader::Row& header)
	{
		for (const std::string& name : header)
			fOutlook = fOutlook || EqualsIgnoringCase(name, "Job Title");
		for (const std::string& name : header)
			fColumns.push_back(Classify(name, fOutlook));
		fHeader = header;
	}

	bool KnowsAny() const
	{
		for (const Column& column : fColumns) {
			if (column.role != kUnknown)
				return true;
		}
		return false;
	}

	ContactDraft Read(const CsvReader::Row& row) const
	{
		ContactDraft draft;
		std::map<std::string, std::string> labels;
		std::map<std::string, size_t> addresses;
		std::string comments, comments2, year, month, day;
		for (size_t i = 0; i < row.size() && i < fColumns.size(); i++) {
			if (fColumns[i].role == kPhoneLabel || fColumns[i].role == kEmailLabel ||
				fColumns[i].role == kAddressLabel)
				labels[fColumns[i].group] = AsUtf8(row[i]);
		}
		for (size_t i = 0; i < row.size(); i++) {
			std::string value = AsUtf8(row[i]);
			if (value.empty() && i < fColumns.size() && fColumns[i].role == kEmail)
				draft.emails.emplace_back();
			if (value.empty())
				continue;
			if (i >= fColumns.size()) {
				draft.dropped.push_back("column " + std::to_string(i + 1) + " " + OneLine(value));
				continue;
			}
			const Column& column = fColumns[i];
			const std::string& label = labels[column.group];
			switch (column.role) {
				case kUnknown:
					draft.dropped.push_back(OneLine(AsUtf8(fHeader[i])) + " " + OneLine(value));
					break;
				case kIgnored:
				case kPhoneLabel:
				case kEmailLabel:
				case kAddressLabel:
					break;
				case kDefaultValued:
					if (!Listed(kDefaultValues, value))
						draft.dropped.push_back(fHeader[i] + " " + OneLine(value));
					break;
				case kText:
					// Outlook's birthday of a contact without one.
					if (!(fOutlook && column.text == &ContactDraft::birthday && value == "0/0/00"))
						draft.*column.text = value;
					break;
				case kComments:
					comments = value;
					break;
				case kComments2:
					comments2 = value;
					break;
				case kBirthYear:
					year = value;
					break;
				case kBirthMonth:
					month = value;
					break;
				case kBirthDay:
					day = value;
					break;
				case kAddressPart: {
					auto [where, added] = addresses.emplace(column.group, draft.addresses.size());
					if (added) {
						draft.addresses.emplace_back();
						draft.addresses.back().home = column.home || Contains(label, "Home");
						draft.addresses.back().preferred = Contains(label, "*");
					}
					std::string& part = draft.addresses[where->second].*column.part;
					part += (part.empty() ? "" : ", ") + value;
					break;
				}
				case kPhone:
					for (const std::string& number : Values(value)) {
						ContactDraft::PhoneKind kind = column.kind;
						if (Contains(label, "Fax"))
							kind = ContactDraft::kFaxPhone;
						else if (Contains(label, "Mobile") || Contains(label, "Cell"))
							kind = ContactDraft::kCellPhone;
						draft.phones.push_back({kind, number});
					}
					break;
				case kEmail:
					for (const std::string& address : Values(value))
						draft.emails.push_back({Contains(label, "*"), address});
					break;
				case kUrl:
					for (const std::string& url : Values(value))
						draft.urls.push_back(url);
					break;
			}
		}
		if (draft.note.empty())
			draft.note = comments2.empty() ? comments : comments + "\n" + comments2;
		if (draft.birthday.empty() && (!month.empty() || !day.empty())) {
			draft.birthday = (year.empty() ? "-" : Padded(year, 4)) + "-" + Padded(month, 2) + "-" +
							 Padded(day, 2);
		} else if (draft.birthday.empty()) {
			draft.birthday = year;
		}
		return draft;
	}

private:
	CsvReader::Row fHeader;
	std::vector<Column> fColumns;
	bool fOutlook = false;
};

} // namespace

bool
CsvMapping::KnowsHeader(const CsvReader::Row& header)
{
	return RowReader(header).KnowsAny();
}

void
CsvMapping::Read(std::string_view text, const std::string& fileName,
				 std::vector<ContactDraft>& drafts, ImportReport& report)
{
	bool unclosed = false;
	std::vector<CsvReader::Row> rows = CsvReader::Rows(text, unclosed);
	if (rows.empty() || !CsvMapping::KnowsHeader(rows[0])) {
		report.AddSkipped(fileName, "the first row names no column of an address book");
		return;
	}
	RowReader reader(rows[0]);
	for (size_t i = 1; i < rows.size(); i++) {
		std::string name = fileName + ", row " + std::to_string(i + 1);
		if (unclosed && i + 1 == rows.size()) {
			report.AddSkipped(name, "a quoted value is never closed");
			break;
		}
		ContactDraft draft = reader.Read(rows[i]);
		draft.source = name;
		drafts.push_back(std::move(draft));
	}
}
