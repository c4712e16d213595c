#include "VCardWriter.h"

#include <string.h>

#include <algorithm>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <gcrypt.h>

#include "ABookRecord.h"
#include "VCardMapping.h"

namespace {

const size_t kLineOctets = 75;

// The escaped form of a byte of a value, or null when it stands as it is.
const char*
EscapeOf(char byte)
{
	switch (byte) {
		case '\\':
			return "\\\\";
		case ',':
			return "\\,";
		case ';':
			return "\\;";
		case '\n':
			return "\\n";
		default:
			return nullptr;
	}
}

void
AppendEscaped(std::string_view text, std::string& out)
{
	size_t plain = 0;
	for (size_t i = 0; i < text.size(); i++) {
		if (const char* escape = EscapeOf(text[i])) {
			out.append(text.substr(plain, i - plain));
			out.append(escape, 2);
			plain = i + 1;
		}
	}
	out.append(text.substr(plain));
}

// Appends line, folded, and CRLF to out.
void
AppendFolded(std::string_view line, std::string& out)
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

// Whether text holds a byte that a value escapes.
bool
HoldsEscapedByte(const char* text, size_t size)
{
	size_t i = 0;
#ifdef __SSE2__
	const __m128i backslash = _mm_set1_epi8('\\');
	const __m128i comma = _mm_set1_epi8(',');
	const __m128i semicolon = _mm_set1_epi8(';');
	const __m128i lineFeed = _mm_set1_epi8('\n');
	for (; i + 16 <= size; i += 16) {
		__m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
		__m128i found = _mm_or_si128(
			_mm_or_si128(_mm_cmpeq_epi8(bytes, backslash), _mm_cmpeq_epi8(bytes, comma)),
			_mm_or_si128(_mm_cmpeq_epi8(bytes, semicolon), _mm_cmpeq_epi8(bytes, lineFeed)));
		if (_mm_movemask_epi8(found) != 0)
			return true;
	}
#endif
	for (; i < size; i++) {
		if (EscapeOf(text[i]) != nullptr)
			return true;
	}
	return false;
}

bool
AllEmpty(const ABookRecord::FieldTexts& texts, std::initializer_list<int> fields)
{
	return std::all_of(fields.begin(), fields.end(),
					   [&](int field) { return texts[field].empty(); });
}

} // namespace

size_t
VCardWriter::DigestHash::operator()(const Digest& digest) const
{
	size_t hash;
	memcpy(&hash, digest.data(), sizeof(hash));
	return hash;
}

VCardWriter::VCardWriter(Version version) : fVersion(version)
{
}

void
VCardWriter::Append(const ABookRecord& record, std::string& out)
{
	bool four = fVersion == kVersion40;
	const ABookRecord::FieldTexts texts = record.Fields();
	// Most records hold no byte that a value escapes; their texts are then
	// written as they are.
	size_t size;
	const char* packed = record.Texts(&size);
	const bool escape = HoldsEscapedByte(packed, size);
	auto property = [&](std::string_view head, std::initializer_list<std::string_view> values) {
		_AppendProperty(head, values, escape, out);
	};
	auto text = [&](std::string_view head, int field) {
		if (!texts[field].empty())
			property(head, {texts[field]});
	};

	out += four ? "BEGIN:VCARD\r\nVERSION:4.0\r\n" : "BEGIN:VCARD\r\nVERSION:3.0\r\n";
	_AppendUid(texts, out);
	property("FN", {VCardMapping::FormattedName(texts)});
	// N is required in 3.0; a card without names still carries it, empty.
	if (!four || !AllEmpty(texts, {kLastNameField, kFirstNameField, kMiddleNameField}))
		property("N",
				 {texts[kLastNameField], texts[kFirstNameField], texts[kMiddleNameField], "", ""});
	text("NICKNAME", kNicknameField);
	text("TITLE", kTitleField);
	text("ORG", kCompanyField);
	if (!AllEmpty(texts, {kAddress1Field, kAddress2Field, kCityField, kStateField, kZipField,
						  kCountryField}))
		property(four ? "ADR;TYPE=home" : "ADR;TYPE=HOME",
				 {"", texts[kAddress2Field], texts[kAddress1Field], texts[kCityField],
				  texts[kStateField], texts[kZipField], texts[kCountryField]});
	text(four ? "TEL;TYPE=voice" : "TEL;TYPE=VOICE", kPhoneField);
	text(four ? "TEL;TYPE=cell" : "TEL;TYPE=CELL", kCellField);
	text(four ? "TEL;TYPE=fax" : "TEL;TYPE=FAX", kFaxField);
	// An empty first address keeps the second one in its place.
	if (texts[kEmail1Field].empty() && !texts[kEmail2Field].empty())
		out += four ? "EMAIL:\r\n" : "EMAIL;TYPE=INTERNET:\r\n";
	text(four ? "EMAIL;PREF=1" : "EMAIL;TYPE=INTERNET,PREF", kEmail1Field);
	text(four ? "EMAIL" : "EMAIL;TYPE=INTERNET", kEmail2Field);
	text("URL", kWebAddressField);
	if (!AllEmpty(texts, {kCommentsField, kComments2Field}))
		// The line feed between the comments is escaped whatever they hold.
		_AppendProperty("NOTE", {VCardMapping::Note(texts)}, true, out);
	text("BDAY", kBirthdayField);
	out += "END:VCARD\r\n";
}

// The property's line, written straight into out and folded only when it
// is too long: head, a colon and the values, separated by semicolons and
// escaped unless escape is false.
void
VCardWriter::_AppendProperty(std::string_view head, std::initializer_list<std::string_view> values,
							 bool escape, std::string& out)
{
	size_t start = out.size();
	out.append(head);
	out += ':';
	bool first = true;
	for (std::string_view value : values) {
		if (!first)
			out += ';';
		if (escape)
			AppendEscaped(value, out);
		else
			out.append(value);
		first = false;
	}
	_EndLine(start, out);
}

// Ends the line that starts at start in out, folding it first when it is
// longer than a line may be.
void
VCardWriter::_EndLine(size_t start, std::string& out)
{
	if (out.size() - start <= kLineOctets) {
		out += "\r\n";
		return;
	}
	fLine.assign(out, start);
	out.resize(start);
	AppendFolded(fLine, out);
}

void
VCardWriter::_AppendUid(const ABookRecord::FieldTexts& texts, std::string& out)
{
	// A name-based UUID (version 5 layout) from the SHA-1 of the fields, each
	// followed by a tab. The n-th record with the same fields hashes that
	// digest and n again.
	char fields[kFieldCount * (kFieldTextLength + 1)];
	size_t size = 0;
	for (std::string_view text : texts) {
		memcpy(fields + size, text.data(), text.size());
		size += text.size();
		fields[size++] = '\t';
	}
	Digest digest = _Sha1(fields, size);
	int occurrence = fSeen[digest]++;
	if (occurrence > 0) {
		std::string again(digest.begin(), digest.end());
		again += std::to_string(occurrence);
		digest = _Sha1(again.data(), again.size());
	}
	digest[6] = (digest[6] & 0x0F) | 0x50;
	digest[8] = (digest[8] & 0x3F) | 0x80;

	static const char kHex[] = "0123456789abcdef";
	char uuid[36];
	char* cursor = uuid;
	for (int i = 0; i < 16; i++) {
		if (i == 4 || i == 6 || i == 8 || i == 10)
			*cursor++ = '-';
		*cursor++ = kHex[digest[i] >> 4];
		*cursor++ = kHex[digest[i] & 0x0F];
	}
	out += fVersion == kVersion40 ? "UID:urn:uuid:" : "UID:";
	out.append(uuid, sizeof(uuid));
	out += "\r\n";
}

// The SHA-1 of libgcrypt, which uses the processor's SHA instructions
// where there are any: the digests of a large export take a third of the
// time of GLib's.
VCardWriter::Digest
VCardWriter::_Sha1(const void* bytes, size_t size)
{
	Digest digest;
	gcry_md_hash_buffer(GCRY_MD_SHA1, digest.data(), bytes, size);
	return digest;
}
