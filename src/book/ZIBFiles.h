#ifndef ZIBFILES_H
#define ZIBFILES_H

#include <cstdint>
#include <string>

#include <SupportDefs.h>

#include "BookConstants.h"

class ABookRecord;
class BEntry;
class BFile;
class BMessage;
class BNode;
class ZIBook;
struct entry_ref;

// The frame of the window that saves a book, in screen coordinates.
struct ZIBFrame {
	float left;
	float top;
	float right;
	float bottom;
};

// What tells that a book file was changed on disk: its node, size and
// modification time. An empty stamp (the default) names no file.
struct ZIBFileStamp {
	dev_t device = 0;
	ino_t inode = 0;
	off_t size = -1;
	int64_t modified = 0; // nanoseconds
	bool IsEmpty() const { return size < 0; }
	bool operator==(const ZIBFileStamp&) const = default;
};

// The book file: tab-separated text, one line per record ending in a line
// feed, no header and no escapes, with two attributes: "BEOS:TYPE" and
// "ZIBWndwFrame". A current file has 21 columns, fields 0..20; an older one
// 20, fields 1..20 (its nickname stays empty). Writing always produces the
// current layout and type.
//
// Reading is lenient and never fails on content: a field keeps its first 40
// bytes (never splitting a UTF-8 character), extra columns are dropped,
// missing ones stay empty, zero bytes are skipped, and a last line without
// a line feed keeps its record. A carriage return is an ordinary byte.
//
// All members are static and keep no state; they are safe to call from any
// thread for distinct files and books.
class ZIBFiles final {
public:
	ZIBFiles() = delete;

	// Reads one field, byte by byte, into buffer (kFieldBufferSize bytes),
	// terminated. Answers true when the field ended its line (a line feed,
	// or the end of the data). endOfFile becomes true only when the data
	// ended before the field's first byte; buffer is then empty.
	static bool ReadOneField(BFile* file, char* buffer, bool& endOfFile);

	// Reads one line into record, every field of which is cleared first.
	// nicknameFile selects the current layout. Answers false, with record
	// empty, when the data ended before the line's first byte.
	static bool ReadOneRecord(BFile* file, ABookRecord* record, bool nicknameFile);

	// Appends one record per line of file, from its current position to
	// its end, to book and counts them. The dirty flag is not changed.
	// Answers B_NO_MEMORY, with the records read so far in book, when
	// memory ran out, else B_OK.
	static status_t ReadBook(BFile* file, ZIBook* book, bool nicknameFile);

	// Opens the file read-only, without blocking, chooses its layout
	// (IsCurrentLayout) and appends its records to book. Answers the open
	// error, kNotAFileError for anything but a regular file (a FIFO, a
	// device), kBookTooLargeError for a file larger than a book can be,
	// B_NO_MEMORY, or B_IO_ERROR when reading stopped before the end of the
	// file; book is then as it was. Removes the stale temporary files of
	// the book's earlier saves (BookTarget).
	static status_t ReadBook(const entry_ref* ref, ZIBook* book);

	// Whether the file of the message's first "refs" entry, or of entry
	// (links not followed), carries the current type.
	static bool IsNickname(BMessage* message);
	static bool IsNickname(BEntry* entry);

	// Whether file holds the current layout: it carries the current type,
	// or it carries no type and one of its lines has 21 columns (editors
	// may trim the empty last fields of the others). Reads up to that line,
	// without moving the file's position.
	static bool IsCurrentLayout(BFile* file);

	// Writes book, in chain order, with both attributes, to the file of ref
	// (SafeSave): the file keeps its other attributes, owner, group, mode
	// and hard links, and on failure the old file stays whole, or, when the
	// failure came while overwriting it in place, a whole copy of it stays
	// at *keptCopy. Symbolic links are followed only where the kernel's
	// protected_symlinks rule would (kUnsafeLinkError otherwise). Ignores
	// SIGXFSZ, so that a file-size limit fails the save instead of ending
	// the process. A file system without extended attributes still gets the
	// data (the layout is then recognised by its column count).
	static status_t WriteBook(const ZIBook* book, const entry_ref* ref, const ZIBFrame& frame,
							  std::string* keptCopy = nullptr);

	// The stamp of the file of ref, links followed.
	static status_t GetStamp(const entry_ref* ref, ZIBFileStamp* stamp);

	// The text for a status of ReadBook() or WriteBook(), for alerts.
	static const char* StatusText(status_t status);

private:
	template <typename NextByte>
	static bool _ReadField(NextByte& next, char* buffer, bool& endOfFile, size_t& kept);
	// One line's texts, laid out as ABookRecord::Texts() answers them, with
	// room for reading one more field than is kept; spare takes the columns
	// past the last.
	struct Line {
		char texts[kFieldCount * (kFieldTextLength + 1) + kFieldBufferSize];
		char spare[kFieldBufferSize];
		size_t size;
	};

	template <typename NextByte>
	static bool _ReadLine(NextByte& next, Line& line, bool nicknameFile);
	static void _ReadBook(BFile* file, ZIBook* book, bool nicknameFile);
	static bool _ReadType(BNode* node, bool& current);
	static bool _AnyLineHasAllColumns(BFile* file);
	static status_t _ReadFile(const entry_ref* ref, ZIBook* book);
	static status_t _WriteRecords(const ZIBook* book, BFile* file);
	static status_t _WriteAttributes(BFile* file, const ZIBFrame& frame);
};

#endif // ZIBFILES_H
