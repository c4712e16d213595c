#ifndef CONTACT_EXPORTER_H
#define CONTACT_EXPORTER_H

#include <string>
#include <vector>

#include <SupportDefs.h>

#include "InteropFormat.h"

class ABookRecord;
class ZIBook;

// Writes records of a book as vCard 3.0, vCard 4.0 or CSV. Stateless; the
// caller serialises access to the book.
class ContactExporter final {
public:
	ContactExporter() = delete;

	// The text of the records, in the order given.
	static std::string Text(const std::vector<const ABookRecord*>& records, ExportFormat format);

	// Every record of book, in chain order.
	static std::vector<const ABookRecord*> AllRecords(const ZIBook& book);

	// Writes text to the file at path, replacing it: to a temporary file
	// beside it, flushed, then renamed, so a failure leaves the old file
	// whole. Answers the error, else B_OK.
	static status_t WriteFile(const std::string& text, const char* path);
};

#endif // CONTACT_EXPORTER_H
