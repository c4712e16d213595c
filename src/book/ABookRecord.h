#ifndef A_BOOK_RECORD_H
#define A_BOOK_RECORD_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <new>
#include <string_view>

#include "BookConstants.h"

// One contact record: kFieldCount field texts and the links of its book's
// chain. A field text is at most 40 bytes and never holds a tab, a line
// feed or a zero byte.
//
// The texts take the memory they need: they lie one after the other, each
// with its terminator, right behind the record in the same allocation when
// the record was made for them (Create()), else in a block of their own. A
// record whose fields are all empty keeps no texts at all. Changing a field
// may allocate and throw std::bad_alloc. A record may live anywhere (on the
// stack too); only Create() puts texts behind it.
//
// The book that chains a record owns it (ZIBook). Not thread-safe: callers
// serialise access to a book and its records.
class ABookRecord final {
public:
	using FieldTexts = std::array<std::string_view, kFieldCount>;

	// Every field empty, both links none, a serial number of its own.
	ABookRecord();
	~ABookRecord();
	ABookRecord(const ABookRecord&) = delete;
	ABookRecord& operator=(const ABookRecord&) = delete;

	// A new record holding texts, in one allocation: size bytes laid out
	// as Texts() answers them, each text at most 40 bytes without tab or
	// line feed.
	static ABookRecord* Create(const char* texts, size_t size);

	ABookRecord* GetNextRecord() const { return fNext; }
	void SetNextRecord(ABookRecord* record) { fNext = record; }
	ABookRecord* GetPrevRecord() const { return fPrev; }
	void SetPrevRecord(ABookRecord* record) { fPrev = record; }

	// Empties every field.
	void Clear();

	// Unique among the records of the process, for finding a record again
	// after its book was sorted or had records deleted.
	uint64_t Serial() const;

	// Asks the processor to start loading the record and its texts, for
	// scans that walk the chain: records are separate allocations, which
	// hardware prefetchers cannot foresee.
	void Prefetch() const
	{
		__builtin_prefetch(this);
		__builtin_prefetch(_Texts() + 64);
		__builtin_prefetch(_Texts() + 128);
	}

	// The text of a field; the empty text for a number outside 0..20.
	const char* Field(int field) const;

	// The texts of all fields by field number, found in one walk: reading
	// many fields of a record through Field() walks the texts once per field.
	FieldTexts Fields() const;

	// The texts of all fields in field order, each followed by its zero
	// byte, one after the other; *size counts them all, terminators
	// included.
	const char* Texts(size_t* size) const;

	// Stores the text up to the first tab or line feed, at most 40 bytes of
	// it (see FieldLength). A number outside 0..20 changes nothing.
	void SetField(int field, const char* text);

	// Stores all fields at once, laid out as Create() takes them.
	void SetTexts(const char* texts, size_t size);

	// How many of the first length bytes of text a field keeps: all of them
	// up to 40; otherwise 40, or fewer when byte 40 continues a UTF-8
	// character, so that a multi-byte character is never split. Bytes that
	// are not valid UTF-8 are cut at 40. text must hold length bytes.
	static size_t FieldLength(const char* text, size_t length);

	// Records made by Create() are larger than the class; these allocate
	// and free every record alike.
	static void* operator new(size_t size) { return ::operator new(size); }
	static void* operator new(size_t, void* place) { return place; }
	static void operator delete(void* record) { ::operator delete(record); }
	static void operator delete(void*, void*) {}

private:
	// fWord holds either, with its lowest bit set, the serial number (an
	// odd number, bits 0..31), the bytes behind the record (32..47) and
	// the bytes of the texts kept there, terminators included (48..63; 0
	// when all are empty); or, with that bit clear, a pointer to a block:
	// the serial number (4 bytes), the bytes of the texts (2), 2 unused,
	// then the texts.
	static constexpr size_t kBlockHeader = 8;

	explicit ABookRecord(uint16_t room);
	bool _InBlock() const { return (fWord & 1) == 0; }
	char* _Block() const { return reinterpret_cast<char*>(fWord); }
	uint16_t _Room() const { return _InBlock() ? 0 : uint16_t(fWord >> 32); }
	const char* _Texts() const;
	char* _Behind() { return reinterpret_cast<char*>(this + 1); }
	const char* _Behind() const { return reinterpret_cast<const char*>(this + 1); }
	void _SetInline(uint32_t serial, uint16_t room, size_t size);

	ABookRecord* fNext;
	ABookRecord* fPrev;
	uint64_t fWord;
};

inline const char*
ABookRecord::Field(int field) const
{
	if (field < 0 || field >= kFieldCount)
		return "";
	const char* text = _Texts();
	for (int i = 0; i < field; i++)
		text += __builtin_strlen(text) + 1;
	return text;
}

#endif // A_BOOK_RECORD_H
