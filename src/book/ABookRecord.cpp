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

ABookRecord::ABookRecord() : ABookRecord(0)
{
}

ABookRecord::ABookRecord(uint16_t room) : fNext(nullptr), fPrev(nullptr), fWord(0)
{
	_SetInline((++sLastSerial << 1) | 1, room, 0);
}

ABookRecord::~ABookRecord()
{
	if (_InBlock())
		delete[] _Block();
}

ABookRecord*
ABookRecord::Create(const char* texts, size_t size)
{
	uint16_t room = static_cast<uint16_t>(size > kFieldCount ? size : 0);
	void* memory = ::operator new(sizeof(ABookRecord) + room);
	ABookRecord* record = new (memory) ABookRecord(room);
	if (room > 0) {
		memcpy(record->_Behind(), texts, size);
		record->_SetInline(static_cast<uint32_t>(record->fWord), room, size);
	}
	return record;
}

uint64_t
ABookRecord::Serial() const
{
	uint32_t serial = static_cast<uint32_t>(fWord);
	if (_InBlock())
		memcpy(&serial, _Block(), sizeof(serial));
	return serial;
}

void
ABookRecord::_SetInline(uint32_t serial, uint16_t room, size_t size)
{
	fWord = serial | uint64_t(room) << 32 | uint64_t(size) << 48;
}

void
ABookRecord::Clear()
{
	uint32_t serial = static_cast<uint32_t>(Serial());
	uint16_t room = _Room();
	if (_InBlock())
		delete[] _Block();
	_SetInline(serial, room, 0);
}

const char*
ABookRecord::_Texts() const
{
	if (_InBlock())
		return _Block() + kBlockHeader;
	return (fWord >> 48) != 0 ? _Behind() : kEmptyTexts;
}

ABookRecord::FieldTexts
ABookRecord::Fields() const
{
	FieldTexts fields;
	const char* text = _Texts();
	for (std::string_view& field : fields) {
		field = text;
		text += field.size() + 1;
	}
	return fields;
}

const char*
ABookRecord::Texts(size_t* size) const
{
	uint16_t stored = static_cast<uint16_t>(fWord >> 48);
	if (_InBlock())
		memcpy(&stored, _Block() + sizeof(uint32_t), sizeof(stored));
	*size = stored != 0 ? stored : kFieldCount;
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
	// Packed aside first: the texts lie in the record's own storage.
	char packed[kFieldCount * (kFieldTextLength + 1)];
	PackTexts(packed, texts, lengths);
	SetTexts(packed, TextsSize(lengths));
}

void
ABookRecord::SetTexts(const char* packed, size_t size)
{
	if (size <= kFieldCount) {
		Clear();
		return;
	}
	uint32_t serial = static_cast<uint32_t>(Serial());
	if (!_InBlock() && size <= _Room()) {
		memcpy(_Behind(), packed, size);
		_SetInline(serial, _Room(), size);
		return;
	}
	char* block = new char[kBlockHeader + size];
	uint16_t stored = static_cast<uint16_t>(size);
	memcpy(block, &serial, sizeof(serial));
	memcpy(block + sizeof(serial), &stored, sizeof(stored));
	memcpy(block + kBlockHeader, packed, size);
	if (_InBlock())
		delete[] _Block();
	fWord = reinterpret_cast<uintptr_t>(block);
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
