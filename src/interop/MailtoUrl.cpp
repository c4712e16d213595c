#include "MailtoUrl.h"

#include <cstring>
#include <string_view>

#include "ABookRecord.h"

namespace {

// Long enough to be an address rather than a stray character or two.
bool
Usable(const char* text)
{
	return strlen(text) > 2;
}

// Every byte but the unreserved ones and "@" as %XX: a URL that keeps
// commas between recipients only and carries UTF-8 names unharmed.
void
AppendEncoded(std::string_view text, std::string& out)
{
	static const char kHex[] = "0123456789ABCDEF";
	for (char c : text) {
		unsigned char byte = static_cast<unsigned char>(c);
		if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
			(byte >= '0' && byte <= '9') || strchr("-._~@", c) != nullptr) {
			out += c;
		} else {
			out += '%';
			out += kHex[byte >> 4];
			out += kHex[byte & 0xf];
		}
	}
}

// The display name as a phrase of RFC 5322: quoted, with backslashes before
// quotes and backslashes, when it holds a special character.
std::string
Phrase(const std::string& name)
{
	if (name.find_first_of("()<>[]:;@\\,.\"") == std::string::npos)
		return name;
	std::string quoted = "\"";
	for (char c : name) {
		if (c == '"' || c == '\\')
			quoted += '\\';
		quoted += c;
	}
	return quoted + '"';
}

} // namespace

std::string
MailtoUrl::AddressOf(const ABookRecord& record)
{
	for (int field : {kEmail1Field, kEmail2Field}) {
		if (Usable(record.Field(field)))
			return record.Field(field);
	}
	return std::string();
}

std::string
MailtoUrl::Recipient(const ABookRecord& record)
{
	std::string address = AddressOf(record);
	if (address.empty())
		return address;
	std::string name = record.Field(kFirstNameField);
	if (*record.Field(kLastNameField) != '\0')
		name += (name.empty() ? "" : " ") + std::string(record.Field(kLastNameField));
	return name.empty() ? address : Phrase(name) + " <" + address + ">";
}

std::string
MailtoUrl::For(const std::vector<const ABookRecord*>& records)
{
	std::string url;
	for (const ABookRecord* record : records) {
		std::string recipient = Recipient(*record);
		if (recipient.empty())
			continue;
		url += url.empty() ? "mailto:" : ",";
		AppendEncoded(recipient, url);
	}
	return url;
}
