#ifndef CLIPBOARD_RECORDS_H
#define CLIPBOARD_RECORDS_H

#include <vector>

#include <SupportDefs.h>

class ABookRecord;
class ImportReport;
class ZIBook;

// Records on the system clipboard (be_clipboard). Copy() puts them there in
// two forms at once: "text/vcard", as the vCard export writes them, and
// "text/plain", their record lines (each as "Copy this Record to the
// Clipboard" writes one) separated by line feeds. Paste() takes them back,
// from either form or from another program's vCards. Runs on the caller's
// thread; the clipboard's lock serialises it against other threads.
class ClipboardRecords final {
public:
	ClipboardRecords() = delete;

	// B_ERROR when the clipboard cannot be locked, else Commit's status.
	static status_t Copy(const std::vector<const ABookRecord*>& records);

	// Adds the clipboard's records to book by the rules of an import
	// (report, duplicates left out): its vCards, else its plain text as
	// vCards or as record lines. False, adding nothing, when the clipboard
	// holds neither.
	static bool Paste(ZIBook* book, ImportReport& report);
};

#endif // CLIPBOARD_RECORDS_H
