#ifndef VCARD_WRITER_H
#define VCARD_WRITER_H

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>

#include "ABookRecord.h"

// Writes records as vCards, version 3.0 or 4.0 (the contacts library writes
// no 4.0, and writing the text directly is what makes exporting a large book
// fast): UTF-8, CRLF line ends, lines folded at 75 octets without splitting
// a UTF-8 character, the properties of VCardMapping.
//
// Each card carries a UID made from the record's fields, so exporting an
// unchanged book again gives every card the same UID; records with equal
// fields get distinct UIDs by their order. Not thread-safe.
class VCardWriter final {
public:
	enum Version { kVersion30, kVersion40 };

	explicit VCardWriter(Version version);

	// Appends the card of record to out.
	void Append(const ABookRecord& record, std::string& out);

private:
	using Digest = std::array<unsigned char, 20>;
	struct DigestHash {
		size_t operator()(const Digest& digest) const;
	};

	void _AppendProperty(std::string_view head, std::initializer_list<std::string_view> values,
						 bool escape, std::string& out);
	void _EndLine(size_t start, std::string& out);
	void _AppendUid(const ABookRecord::FieldTexts& texts, std::string& out);
	static Digest _Sha1(const void* bytes, size_t size);

	Version fVersion;
	// How many records with these fields (by their digest) were written
	// already.
	std::unordered_map<Digest, int, DigestHash> fSeen;
	// A line being folded.
	std::string fLine;
};

#endif // VCARD_WRITER_H
