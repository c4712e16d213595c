#ifndef CONTACT_DRAFT_H
#define CONTACT_DRAFT_H

#include <array>
#include <string>
#include <vector>

#include "BookConstants.h"

class ABookRecord;

// The uncut texts of a record's 21 fields, in field-number order.
using ContactFields = std::array<std::string, kFieldCount>;

// What one card or row of an outside address book holds, before the rules
// choose which of its addresses, numbers and e-mail addresses become fields.
// The vCard and the CSV readers both fill a draft, so one set of rules
// decides for both. Values are UTF-8; line breaks may still be in them.
struct ContactDraft {
	struct Address {
		bool preferred = false;
		bool home = false;
		std::string poBox;
		std::string extended;
		std::string street;
		std::string city;
		std::string region;
		std::string postalCode;
		std::string country;
	};
	enum PhoneKind { kOtherPhone, kCellPhone, kFaxPhone };
	struct Phone {
		PhoneKind kind = kOtherPhone;
		std::string number;
	};
	struct Email {
		bool preferred = false;
		std::string address;
	};

	// Indexes into the lists of the items the rules chose; -1 for none.
	struct Selection {
		int address = -1;
		int phone = -1;
		int cell = -1;
		int fax = -1;
		int email1 = -1;
		int email2 = -1;
		int url = -1;
	};

	// Names the card or row in the report: "cards.vcf, card 3".
	std::string source;
	std::string nickname;
	std::string first;
	std::string middle;
	std::string last;
	// The formatted name, split into first and last words when the
	// structured name is empty.
	std::string formattedName;
	std::string title;
	std::string company;
	std::string note;
	std::string birthday;
	std::vector<Address> addresses;
	std::vector<Phone> phones;
	std::vector<Email> emails;
	std::vector<std::string> urls;
	// Properties or columns that have no field, by name (and value where it
	// is short text), for the report.
	std::vector<std::string> dropped;

	// The preferred, else the first home, else the first address; the first
	// cell and fax numbers and the first other number; the first two e-mail
	// addresses, a preferred one first; the first web address.
	Selection Select() const;

	// The field texts by the rules of Select, uncut; every item Select did
	// not choose is added to dropped. A line break inside a value becomes a
	// space, except that the note's first line break separates "Comments"
	// from "Comments 2"; a note without one continues into "Comments 2"
	// after its first 40 bytes.
	ContactFields Fields(std::vector<std::string>& dropped) const;

	// Whether the formatted name names a person: it is not merely the
	// nickname, the company or an e-mail address, which a card without a
	// structured name shows in its place.
	bool NamesPerson() const;
};

// The fields of a record.
ContactFields FieldsOf(const ABookRecord& record);

// The key by which two people with the same first name, last name and
// "Email 1" are the same; empty when all three are empty.
std::string NameAndEmailKey(const ContactFields& fields);

// "Ann Lee <ann@example.org>", or the nickname when there is neither.
std::string Description(const ContactFields& fields);

#endif // CONTACT_DRAFT_H
