#include "ContactDraft.h"

#include "ABookRecord.h"
#include "InteropText.h"

namespace {

bool
IsEmpty(const ContactDraft::Address& address)
{
	return address.poBox.empty() && address.extended.empty() && address.street.empty() &&
		   address.city.empty() && address.region.empty() && address.postalCode.empty() &&
		   address.country.empty();
}

std::string
Joined(const ContactDraft::Address& address)
{
	std::string text;
	for (const std::string* part :
		 {&address.poBox, &address.extended, &address.street, &address.city, &address.region,
		  &address.postalCode, &address.country}) {
		if (part->empty())
			continue;
		if (!text.empty())
			text += ", ";
		text += *part;
	}
	return OneLine(text);
}

// The first word, and the rest after the last word's start: "Ann Lee" gives
// "Ann" and "Lee"; one word is a first name.
void
SplitFormattedName(const std::string& name, std::string& first, std::string& last)
{
	std::string line = OneLine(name);
	size_t start = line.find_first_not_of(' ');
	if (start == std::string::npos)
		return;
	size_t end = line.find_last_not_of(' ');
	line = line.substr(start, end - start + 1);
	size_t firstEnd = line.find(' ');
	if (firstEnd == std::string::npos) {
		first = line;
		return;
	}
	first = line.substr(0, firstEnd);
	last = line.substr(line.rfind(' ') + 1);
}

} // namespace

ContactDraft::Selection
ContactDraft::Select() const
{
	Selection selection;
	for (int i = 0; i < static_cast<int>(addresses.size()); i++) {
		if (IsEmpty(addresses[i]))
			continue;
		if (addresses[i].preferred) {
			selection.address = i;
			break;
		}
		if (selection.address < 0 || (addresses[i].home && !addresses[selection.address].home))
			selection.address = i;
	}
	for (int i = 0; i < static_cast<int>(phones.size()); i++) {
		if (phones[i].number.empty())
			continue;
		int& slot = phones[i].kind == kCellPhone  ? selection.cell
					: phones[i].kind == kFaxPhone ? selection.fax
												  : selection.phone;
		if (slot < 0)
			slot = i;
	}
	for (int i = 0; i < static_cast<int>(emails.size()); i++) {
		if (!emails[i].address.empty() && emails[i].preferred) {
			selection.email1 = i;
			break;
		}
	}
	// Without a preferred address an empty one keeps its place, so that a
	// card or row with only a second address gives only "Email 2".
	bool byPreference = selection.email1 >= 0;
	for (int i = 0; i < static_cast<int>(emails.size()); i++) {
		if (i == selection.email1 || (byPreference && emails[i].address.empty()))
			continue;
		if (selection.email1 < 0)
			selection.email1 = i;
		else if (selection.email2 < 0)
			selection.email2 = i;
	}
	for (int i = 0; i < static_cast<int>(urls.size()); i++) {
		if (!urls[i].empty()) {
			selection.url = i;
			break;
		}
	}
	return selection;
}

bool
ContactDraft::NamesPerson() const
{
	if (formattedName == nickname || formattedName == company)
		return false;
	for (const Email& email : emails) {
		if (formattedName == email.address)
			return false;
	}
	return true;
}

ContactFields
ContactDraft::Fields(std::vector<std::string>& droppedItems) const
{
	ContactFields fields;
	Selection selection = Select();

	fields[kNicknameField] = OneLine(nickname);
	fields[kFirstNameField] = OneLine(first);
	fields[kMiddleNameField] = OneLine(middle);
	fields[kLastNameField] = OneLine(last);
	if (first.empty() && middle.empty() && last.empty() && NamesPerson())
		SplitFormattedName(formattedName, fields[kFirstNameField], fields[kLastNameField]);
	fields[kTitleField] = OneLine(title);
	fields[kCompanyField] = OneLine(company);
	if (selection.address >= 0) {
		const Address& address = addresses[selection.address];
		fields[kAddress1Field] = OneLine(address.street);
		if (!address.extended.empty() && !address.poBox.empty())
			fields[kAddress2Field] = OneLine(address.extended + ", " + address.poBox);
		else
			fields[kAddress2Field] =
				OneLine(address.extended.empty() ? address.poBox : address.extended);
		fields[kCityField] = OneLine(address.city);
		fields[kStateField] = OneLine(address.region);
		fields[kZipField] = OneLine(address.postalCode);
		fields[kCountryField] = OneLine(address.country);
	}
	if (selection.phone >= 0)
		fields[kPhoneField] = OneLine(phones[selection.phone].number);
	if (selection.cell >= 0)
		fields[kCellField] = OneLine(phones[selection.cell].number);
	if (selection.fax >= 0)
		fields[kFaxField] = OneLine(phones[selection.fax].number);
	if (selection.email1 >= 0)
		fields[kEmail1Field] = OneLine(emails[selection.email1].address);
	if (selection.email2 >= 0)
		fields[kEmail2Field] = OneLine(emails[selection.email2].address);
	if (selection.url >= 0)
		fields[kWebAddressField] = OneLine(urls[selection.url]);

	// The note's first line break parts the two comment fields; without
	// one, the note runs on into "Comments 2" after the first field's room.
	size_t lineBreak = note.find_first_of("\r\n");
	if (lineBreak != std::string::npos) {
		size_t rest = lineBreak + 1;
		if (note[lineBreak] == '\r' && rest < note.size() && note[rest] == '\n')
			rest++;
		fields[kCommentsField] = OneLine(note.substr(0, lineBreak));
		fields[kComments2Field] = OneLine(note.substr(rest));
	} else {
		std::string line = OneLine(note);
		size_t cut = FieldCut(line);
		fields[kCommentsField] = line.substr(0, cut);
		fields[kComments2Field] = line.substr(cut);
	}
	fields[kBirthdayField] = OneLine(birthday);

	droppedItems = dropped;
	for (int i = 0; i < static_cast<int>(addresses.size()); i++) {
		if (i != selection.address && !IsEmpty(addresses[i]))
			droppedItems.push_back("address " + Joined(addresses[i]));
	}
	for (int i = 0; i < static_cast<int>(phones.size()); i++) {
		if (i != selection.phone && i != selection.cell && i != selection.fax &&
			!phones[i].number.empty())
			droppedItems.push_back("phone number " + OneLine(phones[i].number));
	}
	for (int i = 0; i < static_cast<int>(emails.size()); i++) {
		if (i != selection.email1 && i != selection.email2 && !emails[i].address.empty())
			droppedItems.push_back("e-mail address " + OneLine(emails[i].address));
	}
	for (int i = 0; i < static_cast<int>(urls.size()); i++) {
		if (i != selection.url && !urls[i].empty())
			droppedItems.push_back("web address " + OneLine(urls[i]));
	}
	return fields;
}

std::string
NameAndEmailKey(const ContactFields& fields)
{
	if (fields[kFirstNameField].empty() && fields[kLastNameField].empty() &&
		fields[kEmail1Field].empty())
		return std::string();
	return fields[kFirstNameField] + '\t' + fields[kLastNameField] + '\t' + fields[kEmail1Field];
}

std::string
Description(const ContactFields& fields)
{
	std::string name = fields[kFirstNameField];
	if (!fields[kLastNameField].empty())
		name += (name.empty() ? "" : " ") + fields[kLastNameField];
	if (!fields[kEmail1Field].empty())
		name += (name.empty() ? "<" : " <") + fields[kEmail1Field] + ">";
	if (name.empty())
		name = fields[kNicknameField];
	return name;
}

ContactFields
FieldsOf(const ABookRecord& record)
{
	const ABookRecord::FieldTexts texts = record.Fields();
	ContactFields fields;
	for (int field = 0; field < kFieldCount; field++)
		fields[field] = texts[field];
	return fields;
}
