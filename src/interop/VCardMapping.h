#ifndef VCARD_MAPPING_H
#define VCARD_MAPPING_H

#include <string>
#include <vector>

#include "ABookRecord.h"
#include "ContactDraft.h"

typedef struct _EVCard EVCard;

// The mapping between a record's 21 fields and the properties of a vCard
// held by the contacts library (EVCard), in both directions. The table of
// the mapping is docs/vcard-csv-mapping.md.
//
// All members are static and keep no state. An EVCard is not thread-safe:
// callers use one card from one thread at a time.
class VCardMapping final {
public:
	VCardMapping() = delete;

	// What card holds, in the terms of the rules of ContactDraft. Every
	// property that has no field, except the ones that only describe the
	// card itself (VERSION, PRODID, REV, UID, KIND, FN), is named in the
	// draft's dropped list.
	static ContactDraft Draft(EVCard* card);

	// The record's fields read from card, uncut; what has no field is added
	// to dropped.
	static ContactFields ReadFields(EVCard* card, std::vector<std::string>& dropped);

	// Writes the record's fields onto card, as the properties that
	// ReadFields takes them from: a property that a field came from is
	// updated in place (its group and parameters kept), a missing one is
	// added, and one whose field is now empty is removed. Every other
	// property of the card (a third e-mail address, a photo, a second
	// address, the parts of N and ORG that have no field) is left as it was.
	// FN is set to the record's FormattedName.
	static void ApplyRecord(const ABookRecord& record, EVCard* card);

	// The formatted name of a record's fields (ABookRecord::Fields()):
	// first, middle and last name; without them the nickname, the company or
	// "Email 1".
	static std::string FormattedName(const ABookRecord::FieldTexts& fields);

	// NOTE of a record's fields: "Comments", and after a line feed
	// "Comments 2" when that is not empty.
	static std::string Note(const ABookRecord::FieldTexts& fields);
};

#endif // VCARD_MAPPING_H
