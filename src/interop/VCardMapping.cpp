#include "VCardMapping.h"

#include <cstring>

#include <libebook-contacts/libebook-contacts.h>

#include "ABookRecord.h"
#include "InteropText.h"

namespace {

// The attributes of a card that the draft's items came from, in the order
// of the draft's lists.
struct Sources {
	EVCardAttribute* nickname = nullptr;
	EVCardAttribute* name = nullptr;
	EVCardAttribute* title = nullptr;
	EVCardAttribute* organization = nullptr;
	EVCardAttribute* note = nullptr;
	EVCardAttribute* birthday = nullptr;
	std::vector<EVCardAttribute*> addresses;
	std::vector<EVCardAttribute*> phones;
	std::vector<EVCardAttribute*> emails;
	std::vector<EVCardAttribute*> urls;
};

bool
Is(EVCardAttribute* attribute, const char* name)
{
	return g_ascii_strcasecmp(e_vcard_attribute_get_name(attribute), name) == 0;
}

// The attribute's values (the components of a structured value), unescaped
// and in UTF-8.
std::vector<std::string>
Values(EVCardAttribute* attribute)
{
	std::vector<std::string> values;
	for (GList* value = e_vcard_attribute_get_values(attribute); value != nullptr;
		 value = value->next)
		values.push_back(
			AsUtf8(value->data != nullptr ? static_cast<const char*>(value->data) : ""));
	return values;
}

std::string
Component(const std::vector<std::string>& values, size_t index)
{
	return index < values.size() ? values[index] : std::string();
}

// The whole value; the components of a structured one joined by "; ".
std::string
Value(EVCardAttribute* attribute)
{
	std::string text;
	for (const std::string& value : Values(attribute)) {
		if (!text.empty() && !value.empty())
			text += "; ";
		text += value;
	}
	return text;
}

// Whether a TYPE parameter (in any of its forms: TYPE=a,b, TYPE=a;TYPE=b,
// TYPE="a,b", or the bare a of vCard 2.1) names the type.
bool
HasType(EVCardAttribute* attribute, const char* type)
{
	for (GList* param = e_vcard_attribute_get_param(attribute, EVC_TYPE); param != nullptr;
		 param = param->next) {
		gchar** words = g_strsplit(static_cast<const char*>(param->data), ",", -1);
		bool found = false;
		for (gchar** word = words; *word != nullptr && !found; word++)
			found = g_ascii_strcasecmp(g_strstrip(*word), type) == 0;
		g_strfreev(words);
		if (found)
			return true;
	}
	return false;
}

// TYPE=pref (vCard 2.1, 3.0) or PREF=n (vCard 4.0).
bool
IsPreferred(EVCardAttribute* attribute)
{
	return HasType(attribute, "pref") || e_vcard_attribute_get_param(attribute, "PREF") != nullptr;
}

std::string
WithoutTelScheme(std::string number)
{
	while (g_ascii_strncasecmp(number.c_str(), "tel:", 4) == 0)
		number.erase(0, 4);
	return number;
}

bool
DescribesCard(EVCardAttribute* attribute)
{
	for (const char* name :
		 {EVC_VERSION, EVC_PRODID, EVC_REV, EVC_UID, EVC_FN, "KIND", "X-ABUID", "X-ABLABEL"}) {
		if (Is(attribute, name))
			return true;
	}
	return false;
}

bool
IsBinary(EVCardAttribute* attribute)
{
	for (const char* name : {EVC_PHOTO, EVC_LOGO, "SOUND", EVC_KEY}) {
		if (Is(attribute, name))
			return true;
	}
	return false;
}

std::string
Dropped(EVCardAttribute* attribute)
{
	std::string name = e_vcard_attribute_get_name(attribute);
	if (IsBinary(attribute))
		return name;
	return name + " " + OneLine(Value(attribute));
}

// Takes the first attribute of a single-valued kind; a second one is
// dropped.
void
TakeSingle(EVCardAttribute* attribute, EVCardAttribute*& source, std::string& text,
		   ContactDraft& draft)
{
	if (source != nullptr) {
		draft.dropped.push_back(Dropped(attribute));
		return;
	}
	source = attribute;
	text = Component(Values(attribute), 0);
}

ContactDraft
DraftOf(EVCard* card, Sources& sources)
{
	ContactDraft draft;
	for (GList* item = e_vcard_get_attributes(card); item != nullptr; item = item->next) {
		EVCardAttribute* attribute = static_cast<EVCardAttribute*>(item->data);
		if (Is(attribute, EVC_FN)) {
			if (draft.formattedName.empty())
				draft.formattedName = Value(attribute);
		} else if (DescribesCard(attribute)) {
			continue;
		} else if (Is(attribute, EVC_NICKNAME)) {
			TakeSingle(attribute, sources.nickname, draft.nickname, draft);
		} else if (Is(attribute, EVC_N)) {
			if (sources.name != nullptr) {
				draft.dropped.push_back(Dropped(attribute));
				continue;
			}
			sources.name = attribute;
			std::vector<std::string> values = Values(attribute);
			draft.last = Component(values, 0);
			draft.first = Component(values, 1);
			draft.middle = Component(values, 2);
			for (size_t index : {3, 4}) {
				if (!Component(values, index).empty())
					draft.dropped.push_back((index == 3 ? "name prefix " : "name suffix ") +
											values[index]);
			}
		} else if (Is(attribute, EVC_TITLE)) {
			TakeSingle(attribute, sources.title, draft.title, draft);
		} else if (Is(attribute, EVC_ORG)) {
			TakeSingle(attribute, sources.organization, draft.company, draft);
			std::vector<std::string> values = Values(attribute);
			for (size_t index = 1; sources.organization == attribute && index < values.size();
				 index++) {
				if (!values[index].empty())
					draft.dropped.push_back("organizational unit " + values[index]);
			}
		} else if (Is(attribute, EVC_NOTE)) {
			if (sources.note != nullptr) {
				draft.dropped.push_back(Dropped(attribute));
				continue;
			}
			sources.note = attribute;
			draft.note = Value(attribute);
		} else if (Is(attribute, EVC_BDAY)) {
			TakeSingle(attribute, sources.birthday, draft.birthday, draft);
		} else if (Is(attribute, EVC_ADR)) {
			std::vector<std::string> values = Values(attribute);
			ContactDraft::Address address;
			address.preferred = IsPreferred(attribute);
			address.home = HasType(attribute, "home");
			address.poBox = Component(values, 0);
			address.extended = Component(values, 1);
			address.street = Component(values, 2);
			address.city = Component(values, 3);
			address.region = Component(values, 4);
			address.postalCode = Component(values, 5);
			address.country = Component(values, 6);
			draft.addresses.push_back(address);
			sources.addresses.push_back(attribute);
		} else if (Is(attribute, EVC_TEL)) {
			ContactDraft::Phone phone;
			phone.kind = HasType(attribute, "fax")    ? ContactDraft::kFaxPhone
						 : HasType(attribute, "cell") ? ContactDraft::kCellPhone
													  : ContactDraft::kOtherPhone;
			phone.number = WithoutTelScheme(Value(attribute));
			draft.phones.push_back(phone);
			sources.phones.push_back(attribute);
		} else if (Is(attribute, EVC_EMAIL)) {
			draft.emails.push_back({IsPreferred(attribute), Value(attribute)});
			sources.emails.push_back(attribute);
		} else if (Is(attribute, EVC_URL)) {
			draft.urls.push_back(Value(attribute));
			sources.urls.push_back(attribute);
		} else {
			draft.dropped.push_back(Dropped(attribute));
		}
	}
	return draft;
}

// Replaces the values of attribute, or appends a new attribute of that name
// when there is none; removes it when every value is empty.
void
Store(EVCard* card, EVCardAttribute* attribute, const char* name,
	  const std::vector<std::string>& values, const char* type = nullptr, bool keepEmpty = false)
{
	bool empty = true;
	for (const std::string& value : values)
		empty = empty && value.empty();
	if (empty && !keepEmpty) {
		if (attribute != nullptr)
			e_vcard_remove_attribute(card, attribute);
		return;
	}
	bool added = attribute == nullptr;
	if (added) {
		attribute = e_vcard_attribute_new(nullptr, name);
		if (type != nullptr)
			e_vcard_attribute_add_param_with_value(attribute, e_vcard_attribute_param_new(EVC_TYPE),
												   type);
	} else {
		e_vcard_attribute_remove_values(attribute);
	}
	for (const std::string& value : values)
		e_vcard_attribute_add_value(attribute, value.c_str());
	if (added)
		e_vcard_append_attribute(card, attribute);
}

void
StoreText(EVCard* card, EVCardAttribute* attribute, const char* name, const std::string& text,
		  const char* type = nullptr)
{
	Store(card, attribute, name, {text}, type);
}

EVCardAttribute*
Chosen(const std::vector<EVCardAttribute*>& attributes, int index)
{
	return index >= 0 ? attributes[index] : nullptr;
}

void
StorePhone(EVCard* card, EVCardAttribute* attribute, std::string value, const char* type)
{
	if (attribute != nullptr && !value.empty()) {
		gchar* old = e_vcard_attribute_get_value(attribute);
		if (old != nullptr && g_ascii_strncasecmp(old, "tel:", 4) == 0)
			value = "tel:" + value;
		g_free(old);
	}
	StoreText(card, attribute, EVC_TEL, value, type);
}

} // namespace

ContactDraft
VCardMapping::Draft(EVCard* card)
{
	Sources sources;
	return DraftOf(card, sources);
}

ContactFields
VCardMapping::ReadFields(EVCard* card, std::vector<std::string>& dropped)
{
	return Draft(card).Fields(dropped);
}

void
VCardMapping::ApplyRecord(const ABookRecord& record, EVCard* card)
{
	Sources sources;
	ContactDraft draft = DraftOf(card, sources);
	ContactDraft::Selection chosen = draft.Select();
	const ABookRecord::FieldTexts fields = record.Fields();
	auto text = [&](int field) { return std::string(fields[field]); };

	// FN is required, even when it is empty.
	EVCardAttribute* formatted = e_vcard_get_attribute(card, EVC_FN);
	if (formatted == nullptr) {
		formatted = e_vcard_attribute_new(nullptr, EVC_FN);
		e_vcard_append_attribute(card, formatted);
	} else {
		e_vcard_attribute_remove_values(formatted);
	}
	e_vcard_attribute_add_value(formatted, FormattedName(fields).c_str());

	std::vector<std::string> name = {text(kLastNameField), text(kFirstNameField),
									 text(kMiddleNameField), "", ""};
	if (sources.name != nullptr) {
		std::vector<std::string> old = Values(sources.name);
		name[3] = Component(old, 3);
		name[4] = Component(old, 4);
	}
	Store(card, sources.name, EVC_N, name);
	StoreText(card, sources.nickname, EVC_NICKNAME, text(kNicknameField));
	StoreText(card, sources.title, EVC_TITLE, text(kTitleField));

	std::vector<std::string> organization = {text(kCompanyField)};
	if (sources.organization != nullptr) {
		std::vector<std::string> old = Values(sources.organization);
		organization.insert(organization.end(), old.begin() + (old.empty() ? 0 : 1), old.end());
	}
	Store(card, sources.organization, EVC_ORG, organization);

	EVCardAttribute* address = Chosen(sources.addresses, chosen.address);
	std::vector<std::string> components = {"",
										   text(kAddress2Field),
										   text(kAddress1Field),
										   text(kCityField),
										   text(kStateField),
										   text(kZipField),
										   text(kCountryField)};
	// An Address 2 that came from the post office box goes back there.
	if (address != nullptr) {
		const ContactDraft::Address& old = draft.addresses[chosen.address];
		if (old.extended.empty() && !old.poBox.empty())
			std::swap(components[0], components[1]);
	}
	Store(card, address, EVC_ADR, components, "HOME");

	StorePhone(card, Chosen(sources.phones, chosen.phone), text(kPhoneField), "VOICE");
	StorePhone(card, Chosen(sources.phones, chosen.cell), text(kCellField), "CELL");
	StorePhone(card, Chosen(sources.phones, chosen.fax), text(kFaxField), "FAX");
	// An empty first address keeps the second one in its place.
	Store(card, Chosen(sources.emails, chosen.email1), EVC_EMAIL, {text(kEmail1Field)}, "INTERNET",
		  !fields[kEmail2Field].empty());
	StoreText(card, Chosen(sources.emails, chosen.email2), EVC_EMAIL, text(kEmail2Field),
			  "INTERNET");
	StoreText(card, Chosen(sources.urls, chosen.url), EVC_URL, text(kWebAddressField));
	StoreText(card, sources.note, EVC_NOTE, Note(fields));
	StoreText(card, sources.birthday, EVC_BDAY, text(kBirthdayField));
}

std::string
VCardMapping::FormattedName(const ABookRecord::FieldTexts& fields)
{
	std::string name;
	for (int field : {kFirstNameField, kMiddleNameField, kLastNameField}) {
		if (fields[field].empty())
			continue;
		if (!name.empty())
			name += ' ';
		name += fields[field];
	}
	for (int field : {kNicknameField, kCompanyField, kEmail1Field}) {
		if (name.empty())
			name = fields[field];
	}
	return name;
}

std::string
VCardMapping::Note(const ABookRecord::FieldTexts& fields)
{
	std::string note(fields[kCommentsField]);
	if (!fields[kComments2Field].empty()) {
		note += '\n';
		note += fields[kComments2Field];
	}
	return note;
}
