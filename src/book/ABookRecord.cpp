#include "ABookRecord.h"

#include <atomic>
#include <cstring>

namespace {

bool
IsContinuationByte(char byte)
{
	return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

bool
IsLeadByte(char byte)
{
	return static_cast<unsigned char>(byte) >= 0xC0;
}

std::atomic<uint32_t> sLastSerial(0);

// The texts of a record whose fields are all empty.
const char kEmptyTexts[kFieldCount] = {};

// Room behind a record made empty: enough for the pointer to a block.
const uint16_t kLeastRoom = sizeof(char*);

// The bytes the texts take, terminators included.
size_t
TextsSize(const uint8_t lengths[kFieldCount])
{
	size_t size = kFieldCount;
	for (int i = 0; i < kFieldCount; i++)
		size += lengths[i];
	return size;
}

void
PackTexts(char* out, const char* const texts[kFieldCount], const uint8_t lengths[kFieldCount])
{
	for (int i = 0; i < kFieldCount; i++) {
		memcpy(out, texts[i], lengths[i]);
		out += lengths[i];
		*out++ = '\0';
	}
}

} // namespace

void*
ABookRecord::operator new(size_t size)
{
	return ::operator new(size + kLeastRoom);
}

void
ABookRecord::operator delete(void* record)
{
	::operator delete(record);
}

ABookRecord::ABookRecord() : ABookRecord(kLeastRoom)
{
}

ABookRecord::ABookRecord(uint16_t room)
	: fNext(nullptr), fPrev(nullptr), fSerial(++sLastSerial), fRoom(room), fSize(0)
{
}

ABookRecord::~ABookRecord()
{
	_FreeApart();
}

ABookRecord*
ABookRecord::Create(const char* const texts[kFieldCount], const uint8_t lengths[kFieldCount])
{
	size_t size = TextsSize(lengths);
	uint16_t room = static_cast<uint16_t>(size > kFieldCount ? size : kLeastRoom);
	void* memory = ::operator new(sizeof(ABookRecord) + room);
	ABookRecord* record = new (memory) ABookRecord(room);
	if (size > kFieldCount) {
		PackTexts(record->_Room(), texts, lengths);
		record->fSize = static_cast<uint16_t>(size);
	}
	return record;
}

void
ABookRecord::Clear()
{
	_FreeApart();
	fSize = 0;
}

const char*
ABookRecord::_Texts() const
{
	if (fSize == 0)
		return kEmptyTexts;
	if ((fRoom & kApart) == 0)
		return _Room();
	const char* block;
	memcpy(&block, _Room(), sizeof(block));
	return block;
}

const char*
ABookRecord::Texts(size_t* size) const
{
	*size = fSize != 0 ? fSize : kFieldCount;
	return _Texts();
}

void
ABookRecord::SetField(int field, const char* text)
{
	if (field < 0 || field >= kFieldCount)
		return;
	// The text ends at a tab or a line feed; past 40 bytes only the next
	// byte matters to FieldLength.
	size_t length = 0;
	while (length <= kFieldTextLength && text[length] != '\0' && text[length] != '\t' &&
		   text[length] != '\n')
		length++;

	const char* texts[kFieldCount];
	uint8_t lengths[kFieldCount];
	const char* cursor = _Texts();
	for (int i = 0; i < kFieldCount; i++) {
		texts[i] = cursor;
		lengths[i] = static_cast<uint8_t>(strlen(cursor));
		cursor += lengths[i] + 1;
	}
	texts[field] = text;
	lengths[field] = static_cast<uint8_t>(FieldLength(text, length));
	SetFields(texts, lengths);
}

void
ABookRecord::SetFields(const char* const texts[kFieldCount], const uint8_t lengths[kFieldCount])
{
	size_t size = TextsSize(lengths);
	if (size == kFieldCount) {
		Clear();
		return;
	}
	// Packed aside first: the texts may lie in the record's own storage.
	char packed[kFieldCount * (kFieldTextLength + 1)];
	PackTexts(packed, texts, lengths);
	if (size <= (fRoom & ~kApart)) {
		_FreeApart();
		memcpy(_Room(), packed, size);
	} else {
		char* block = new char[size];
		memcpy(block, packed, size);
		_FreeApart();
		memcpy(_Room(), &block, sizeof(block));
		fRoom |= kApart;
	}
	fSize = static_cast<uint16_t>(size);
}

void
ABookRecord::_FreeApart()
{
	if ((fRoom & kApart) != 0) {
		if (fSize != 0)
			delete[] _Texts();
		fRoom &= ~kApart;
		fSize = 0;
	}
}

size_t
ABookRecord::FieldLength(const char* text, size_t length)
{
	if (length <= kFieldTextLength)
		return length;
	// A UTF-8 character is at most four bytes: its lead byte lies at most
	// three bytes before the cut.
	size_t cut = kFieldTextLength;
	while (cut > kFieldTextLength - 3 && IsContinuationByte(text[cut]))
		cut--;
	return IsContinuationByte(text[kFieldTextLength]) && IsLeadByte(text[cut]) ? cut
																			   : kFieldTextLength;
}
