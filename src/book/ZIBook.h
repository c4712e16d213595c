#ifndef ZIBOOK_H
#define ZIBOOK_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <SupportDefs.h>

#include "BookConstants.h"

class ABookRecord;
class ZIBWindow;

// The names of the fields, in field-number order ("Nickname" .. "Birthday").
extern const char* const gInitFieldNames[kFieldCount];

// The address book of one main window: a doubly linked chain of records, the
// record count and the dirty flag. The book owns its records; the window
// owns the book. The book is headless: it never touches its window, which
// builds and removes its own list view around SetThisABook.
//
// Invariant after every complete operation of a caller: the chain runs from
// GetListOfRecords() to GetLastRecord() through the next links and back
// through the previous links, and the count equals the chain's length.
// makeNewRecord leaves the count to its caller (IncrementTotalRecordsInThisAB
// once the record is filled).
//
// Not thread-safe: callers serialise every use of a book (the owning
// window's lock).
class ZIBook final {
public:
	// window is not owned and never dereferenced here.
	explicit ZIBook(ZIBWindow* window);
	// Destroys every record of the chain.
	~ZIBook();
	ZIBook(const ZIBook&) = delete;
	ZIBook& operator=(const ZIBook&) = delete;

	// Appends a new record with empty fields and answers it; the count is
	// not changed.
	ABookRecord* makeNewRecord();
	// Appends record, which the book then owns, and answers it; the count
	// is not changed.
	ABookRecord* AppendRecord(ABookRecord* record);
	// Deletes the record at that position; an index that names no record
	// changes nothing.
	void deleteRecord(long index);
	// Unlinks and destroys a record of this book and takes one from the
	// count.
	void deleteRecord(ABookRecord* record);
	// The primitives of undoable changes. InsertRecord links a record that
	// is in no chain before `before` (a record of this book; nullptr appends)
	// and adds one to the count; the book owns it again. RemoveRecord
	// unlinks a record of this book and takes one from the count; the caller
	// owns it then. Both O(1).
	void InsertRecord(ABookRecord* record, ABookRecord* before);
	void RemoveRecord(ABookRecord* record);
	// The record at that position of the chain, or nullptr for a negative
	// index or one at or beyond the end. Walks the chain: O(index).
	ABookRecord* getRecord(long index) const;
	// The record of this book with that serial number, or nullptr when it
	// was deleted. Walks the chain: O(count).
	ABookRecord* FindRecord(uint64_t serial) const;

	long GetTotalRecordsInThisAB() const { return fRecordCount; }
	void IncrementTotalRecordsInThisAB() { fRecordCount++; }

	ABookRecord* GetListOfRecords() const { return fFirstRecord; }
	ABookRecord* GetLastRecord() const { return fLastRecord; }

	bool SeeIfDirty() const { return fDirty; }
	void SetDirty(bool dirty) { fDirty = dirty; }

	ZIBWindow* GetLWindow() const { return fWindow; }
	void SetLWindow(ZIBWindow* window) { fWindow = window; }

	// The book's copy of gInitFieldNames; the empty text outside 0..20.
	const char* GetFieldName(int field) const;

	// Writes the formatted postal address of record into out, which must
	// hold kFormattedAddressLength + 1 bytes: first, middle and last name,
	// title, company, both address lines, then city, state and zip, each
	// followed by one space, with a line feed after the names, the title,
	// the company and each address line. A null record writes nothing.
	static void CollectFormattedAddress(const ABookRecord* record, char* out);
	// Copies text and one space to cursor and moves cursor past them.
	static void AddTheField(const char* text, char*& cursor);

	// Put the formatted postal address, or the record line (the 21 fields,
	// each followed by a tab), of the record at index on be_clipboard as
	// "text/plain". An index that names no record leaves the clipboard as
	// it was and answers B_BAD_INDEX. Runs on the caller's thread.
	status_t FormattedAddressToClipboard(long index) const;
	status_t AddressToClipboard(long index) const;
	// The record line of record: its 21 fields, each followed by a tab.
	static std::string RecordLine(const ABookRecord* record);
	// Replaces the clipboard's contents by text ("text/plain", type
	// B_MIME_TYPE, without the terminator). Changes nothing and answers
	// B_ERROR when the clipboard cannot be locked, else Commit's status.
	static status_t PutStringInClipboard(const char* text);

	// Find the first record in chain order whose nickname equals nickname,
	// ignoring ASCII letter case, and copy its "Email 1", or its formatted
	// postal address, into out (outSize bytes, terminator included; a
	// longer text is cut). Answer false with out empty when no record
	// matches.
	bool GetEmailFromNickname(const char* nickname, char* out, size_t outSize) const;
	bool GetPostalAddressFromNickname(const char* nickname, char* out, size_t outSize) const;

private:
	// The sort relinks the chain whole; nothing else may move its ends
	// apart from the records.
	friend void BuildLinkedList(ZIBook* book, const std::vector<ABookRecord*>& index);
	void SetListOfRecords(ABookRecord* record) { fFirstRecord = record; }
	void SetLastRecord(ABookRecord* record) { fLastRecord = record; }

	const ABookRecord* _FindNickname(const char* nickname) const;

	const char* fFieldNames[kFieldCount];
	ZIBWindow* fWindow;
	ABookRecord* fFirstRecord;
	ABookRecord* fLastRecord;
	bool fDirty;
	long fRecordCount;
};

#endif // ZIBOOK_H
