#ifndef VCARD_READER_H
#define VCARD_READER_H

#include <string>
#include <string_view>
#include <vector>

#include "ContactDraft.h"

class ImportReport;

// Reads a vCard file (versions 2.1, 3.0 and 4.0, many cards in one file)
// into drafts. The file is cut into cards here: a byte-order mark, CRLF or
// LF line ends (or CR alone), folded lines and the soft line breaks of 2.1's
// QUOTED-PRINTABLE values are undone before each card is parsed by the
// contacts library (EVCard), which decodes escapes, parameters, character
// sets and encodings.
//
// Never fails on content: a card that cannot be read (no END:VCARD, no
// properties) is reported as skipped and the others still come in; a line
// that is no property, and a card nested in another, are reported as
// dropped with the card they were in. Stateless; safe on any thread.
class VCardReader final {
public:
	VCardReader() = delete;

	// Whether text begins (after a byte-order mark and blank space) with
	// BEGIN:VCARD.
	static bool LooksLikeVCard(std::string_view text);

	// Appends one draft per card of text to drafts; fileName names the
	// cards in the report ("cards.vcf, card 3").
	static void Read(std::string_view text, const std::string& fileName,
					 std::vector<ContactDraft>& drafts, ImportReport& report);
};

#endif // VCARD_READER_H
