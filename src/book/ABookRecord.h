#ifndef A_BOOK_RECORD_H
#define A_BOOK_RECORD_H

#include <cstddef>
#include <cstdint>

#include "BookConstants.h"

// One contact record: kFieldCount field texts and the links of its book's
// chain. The 21 field buffers are one block inside the record, so a record
// is a single allocation. A field text is at most 40 bytes and never holds a
// tab, a line feed or a zero byte.
// The book that chains a record owns it (ZIBook). Not thread-safe: callers
// serialise access to a book and its records.
class ABookRecord final {
public:
	// Every field empty, both links none, a serial number of its own.
	ABookRecord();
	ABookRecord(const ABookRecord&) = delete;
	ABookRecord& operator=(const ABookRecord&) = delete;

	ABookRecord* GetNextRecord() const { return fNext; }
	void SetNextRecord(ABookRecord* record) { fNext = record; }
	ABookRecord* GetPrevRecord() const { return fPrev; }
	void SetPrevRecord(ABookRecord* record) { fPrev = record; }

	// Empties every field.
	void Clear();

	// Unique among the records of the process, for finding a record again
	// after its book was sorted or had records deleted.
	uint64_t Serial() const { return fSerial; }

	// Asks the processor to start loading the whole record, for scans that
	// walk the chain: records are separate allocations, which hardware
	// prefetchers cannot foresee.
	void Prefetch() const
	{
		const char* bytes = reinterpret_cast<const char*>(this);
		for (size_t offset = 0; offset < sizeof(*this); offset += 64)
			__builtin_prefetch(bytes + offset);
	}

	// The text of a field; the empty text for a number outside 0..20.
	const char* Field(int field) const
	{
		return field >= 0 && field < kFieldCount ? fFields[field] : "";
	}

	// The kFieldCount field buffers as one block of kFieldCount *
	// kFieldBufferSize bytes, field f at f * kFieldBufferSize. Bytes after a
	// field's terminator may hold an older, longer text of that field.
	const char* FieldBlock() const { return fFields[0]; }

	// Stores the text up to the first tab or line feed, at most 40 bytes of
	// it (see FieldLength). A number outside 0..20 changes nothing.
	void SetField(int field, const char* text);

	// How many of the first length bytes of text a field keeps: all of them
	// up to 40; otherwise 40, or fewer when byte 40 continues a UTF-8
	// character, so that a multi-byte character is never split. Bytes that
	// are not valid UTF-8 are cut at 40. text must hold length bytes.
	static size_t FieldLength(const char* text, size_t length);

private:
	// The reader fills field buffers in place, under the same rules.
	friend class ZIBFiles;

	ABookRecord* fNext;
	ABookRecord* fPrev;
	uint64_t fSerial;
	char fFields[kFieldCount][kFieldBufferSize];
};

#endif // A_BOOK_RECORD_H
