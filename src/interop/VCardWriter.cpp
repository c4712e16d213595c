#include "VCardWriter.h"

#include <string.h>

#include <array>

#include <glib.h>

#include "ABookRecord.h"
#include "VCardMapping.h"

namespace {

const size_t kLineOctets = 75;

void
AppendEscaped(std::string& line, std::string_view text)
{
	for (char byte : text) {
		switch (byte) {
			case '\\':
				line += "\\\\";
				break;
			case ',':
				line += "\\,";
				break;
			case ';':
				line += "\\;";
				break;
			case '\n':
				line += "\\n";
				break;
			default:
				line += byte;
		}
	}
}

// The record's texts by field number, found in one walk over the packed
// texts (Field(n) walks the n before it).
std::array<const char*, kFieldCount>
TextsOf(const ABookRecord& record)
{
	std::array<const char*, kFieldCount> texts;
	size_t size;
	const char* text = record.Texts(&size);
	for (const char*& field : texts) {
		field = text;
		text += strlen(text) + 1;
	}
	return texts;
}

bool
IsEmpty(const std::array<const char*, kFieldCount>& texts, std::initializer_list<int> fields)
{
	for (int field : fields) {
		if (texts[field][0] != '\0')
			return false;
	}
	return true;
}

} // namespace

VCardWriter::VCardWriter(Version version)
	: fVersion(version), fChecksum(g_checksum_new(G_CHECKSUM_SHA1))
{
}

VCardWriter::~VCardWriter()
{
	g_checksum_free(fChecksum);
}

void
VCardWriter::AppendFolded(std::string_view line, std::string& out)
{
	size_t room = kLineOctets;
	while (line.size() > room) {
		size_t cut = room;
		while (cut > 1 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
			cut--;
		out.append(line.substr(0, cut));
		out += "\r\n ";
		line.remove_prefix(cut);
		room = kLineOctets - 1;
	}
	out.append(line);
	out += "\r\n";
}

void
VCardWriter::Append(const ABookRecord& record, std::string& out)
{
	bool four = fVersion == kVersion40;
	const std::array<const char*, kFieldCount> texts = TextsOf(record);
	std::string line;
	auto property = [&](const char* head, std::initializer_list<std::string_view> values) {
		line = head;
		line += ':';
		bool first = true;
		for (std::string_view value : values) {
			if (!first)
				line += ';';
			AppendEscaped(line, value);
			first = false;
		}
		AppendFolded(line, out);
	};
	auto text = [&](const char* head, int field) {
		if (texts[field][0] != '\0')
			property(head, {texts[field]});
	};

	out += four ? "BEGIN:VCARD\r\nVERSION:4.0\r\n" : "BEGIN:VCARD\r\nVERSION:3.0\r\n";
	AppendFolded((four ? "UID:urn:uuid:" : "UID:") + _Uid(record), out);
	property("FN", {VCardMapping::FormattedName(record)});
	// N is required in 3.0; a card without names still carries it, empty.
	if (!four || !IsEmpty(texts, {kLastNameField, kFirstNameField, kMiddleNameField}))
		property("N",
				 {texts[kLastNameField], texts[kFirstNameField], texts[kMiddleNameField], "", ""});
	text("NICKNAME", kNicknameField);
	text("TITLE", kTitleField);
	text("ORG", kCompanyField);
	if (!IsEmpty(texts, {kAddress1Field, kAddress2Field, kCityField, kStateField, kZipField,
						 kCountryField}))
		property(four ? "ADR;TYPE=home" : "ADR;TYPE=HOME",
				 {"", texts.at(kAddress2Field), texts.at(kAddress1Field), texts[kCityField],
				  texts[kStateField], texts[kZipField], texts[kCountryField]});
	text(four ? "TEL;TYPE=voice" : "TEL;TYPE=VOICE", kPhoneField);
	text(four ? "TEL;TYPE=cell" : "TEL;TYPE=CELL", kCellField);
	text(four ? "TEL;TYPE=fax" : "TEL;TYPE=FAX", kFaxField);
	// An empty first address keeps the second one in its place.
	if (texts.at(kEmail1Field)[0] == '\0' && texts.at(kEmail2Field)[0] != '\0')
		out += four ? "EMAIL:\r\n" : "EMAIL;TYPE=INTERNET:\r\n";
	text(four ? "EMAIL;PREF=1" : "EMAIL;TYPE=INTERNET,PREF", kEmail1Field);
	text(four ? "EMAIL" : "EMAIL;TYPE=INTERNET", kEmail2Field);
	text("URL", kWebAddressField);
	std::string note = VCardMapping::Note(record);
	if (!note.empty())
		property("NOTE", {note});
	text("BDAY", kBirthdayField);
	out += "END:VCARD\r\n";
}

std::string
VCardWriter::_Uid(const ABookRecord& record)
{
	// A name-based UUID (version 5 layout) from the SHA-1 of the fields;
	// the n-th record with the same fields hashes that digest and n again.
	guint8 digest[20];
	gsize length = sizeof(digest);
	g_checksum_reset(fChecksum);
	// One walk over the packed texts: Field(n) would walk the n before it.
	size_t size;
	const char* text = record.Texts(&size);
	for (int field = 0; field < kFieldCount; field++) {
		size_t length = strlen(text);
		g_checksum_update(fChecksum, reinterpret_cast<const guchar*>(text), length);
		g_checksum_update(fChecksum, reinterpret_cast<const guchar*>("\t"), 1);
		text += length + 1;
	}
	g_checksum_get_digest(fChecksum, digest, &length);
	std::string key(reinterpret_cast<const char*>(digest), sizeof(digest));
	int occurrence = fSeen[key]++;
	if (occurrence > 0) {
		std::string again = key + std::to_string(occurrence);
		g_checksum_reset(fChecksum);
		g_checksum_update(fChecksum, reinterpret_cast<const guchar*>(again.data()), again.size());
		length = sizeof(digest);
		g_checksum_get_digest(fChecksum, digest, &length);
	}
	digest[6] = (digest[6] & 0x0F) | 0x50;
	digest[8] = (digest[8] & 0x3F) | 0x80;
	static const char kHex[] = "0123456789abcdef";
	std::string uid;
	uid.reserve(36);
	for (int i = 0; i < 16; i++) {
		if (i == 4 || i == 6 || i == 8 || i == 10)
			uid += '-';
		uid += kHex[digest[i] >> 4];
		uid += kHex[digest[i] & 0x0F];
	}
	return uid;
}
