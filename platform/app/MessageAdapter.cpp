#include "MessageAdapter.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string_view>
#include <vector>

#include <TypeConstants.h>

#include "ByteReader.h"
#include "MessageBody.h"
#include "MessagePrivate.h"

namespace BPrivate {

namespace {

const uint32 kR5Magic = 'FOB1';
const uint32 kR5SwappedMagic = '1BOF';
const uint32 kNativeMagic = '1FMH';

// R5 header flags
const uint8 kR5Valid = 0x01;
const uint8 kR5IncludeTarget = 0x02;
const uint8 kR5IncludeReply = 0x04;
const uint8 kR5Scripting = 0x08;

// R5 field flags
const uint8 kFieldValid = 0x01;
const uint8 kFieldMiniData = 0x02;
const uint8 kFieldFixedSize = 0x04;
const uint8 kFieldSingleItem = 0x08;

const size_t kR5HeaderSize = 17;
const size_t kMiniDataLimit = 255;

// Haiku's native layout
const size_t kNativeHeaderSize = 68;
const size_t kNativeFieldHeaderSize = 24;
const uint32 kNativeReplyRequired = 0x02;
const uint32 kNativeReplyDone = 0x04;
const uint32 kNativeIsReply = 0x08;
const uint32 kNativeWasDelivered = 0x10;
const uint32 kNativeHasSpecifiers = 0x20;
const uint16 kNativeFieldFixedSize = 0x02;

// Variable-size R5 items are padded so that the int32 length and the bytes
// together fill a multiple of 8.
size_t
PaddedItemSize(size_t size)
{
	return (size + 4 + 7) & ~size_t(7);
}

// The size of one unit to byte-swap in an item of the given type, or 0 when
// the type is not swapped (strings, raw data, refs).
size_t
SwapUnit(type_code type, size_t itemSize)
{
	switch (type) {
		case B_INT16_TYPE:
		case B_UINT16_TYPE:
			return 2;
		case B_FLOAT_TYPE:
		case B_INT32_TYPE:
		case B_MESSENGER_TYPE:
		case B_POINT_TYPE:
		case B_RECT_TYPE:
		case B_UINT32_TYPE:
			return 4;
		case B_DOUBLE_TYPE:
		case B_INT64_TYPE:
		case B_UINT64_TYPE:
			return 8;
		case B_POINTER_TYPE:
			return itemSize == 4 || itemSize == 8 ? itemSize : 0;
		default:
			return 0;
	}
}

// Brings an item from the other byte order into host order. Only the
// port, token and team of a messenger are numbers; the rest is opaque.
void
SwapItem(type_code type, char* item, size_t size)
{
	size_t unit = SwapUnit(type, size);
	if (unit == 0)
		return;
	if (type == B_MESSENGER_TYPE)
		size = std::min<size_t>(size, 3 * sizeof(int32));
	for (size_t offset = 0; offset + unit <= size; offset += unit)
		std::reverse(item + offset, item + offset + unit);
}

uint32
CalculateChecksum(const uint8* bytes, size_t size)
{
	uint32 sum = 0;
	size_t i = 0;
	for (; i + 4 <= size; i += 4)
		sum += uint32(bytes[i]) << 24 | uint32(bytes[i + 1]) << 16 | uint32(bytes[i + 2]) << 8 |
			   bytes[i + 3];
	uint32 rest = 0;
	for (; i < size; i++)
		rest = (rest << 8) + bytes[i];
	return sum + rest;
}

// Appends to a buffer, or only counts the bytes when there is none, so that
// measuring and writing share one code path.
class Writer {
public:
	explicit Writer(char* buffer) : fBuffer(buffer), fPosition(0) {}

	size_t Position() const { return fPosition; }

	void Write(const void* data, size_t size)
	{
		if (fBuffer != nullptr && size > 0)
			memcpy(fBuffer + fPosition, data, size);
		fPosition += size;
	}

	template <typename T> void WriteValue(T value) { Write(&value, sizeof(value)); }

	void WriteZeros(size_t size)
	{
		if (fBuffer != nullptr)
			memset(fBuffer + fPosition, 0, size);
		fPosition += size;
	}

	// A length or count in the one-byte form or the int32 form.
	void WriteSize(size_t value, bool mini)
	{
		if (mini)
			WriteValue<uint8>(static_cast<uint8>(value));
		else
			WriteValue<int32>(static_cast<int32>(value));
	}

private:
	char* fBuffer;
	size_t fPosition;
};

size_t
DataBlockSize(const MessageField& field)
{
	if (field.IsFixedSize())
		return field.DataSize();
	size_t blockSize = 0;
	for (int32 i = 0; i < field.CountItems(); i++) {
		size_t itemSize;
		field.ItemAt(i, &itemSize);
		blockSize += PaddedItemSize(itemSize);
	}
	return blockSize;
}

void
WriteField(Writer& writer, const MessageField& field)
{
	int32 count = field.CountItems();
	size_t blockSize = DataBlockSize(field);
	// Every item takes at least a byte, so the count fits whenever the block does.
	bool mini = blockSize <= kMiniDataLimit;

	uint8 flags = kFieldValid;
	if (mini)
		flags |= kFieldMiniData;
	if (field.IsFixedSize())
		flags |= kFieldFixedSize;
	if (count == 1)
		flags |= kFieldSingleItem;
	writer.WriteValue(flags);
	writer.WriteValue<uint32>(field.Type());
	if (count != 1)
		writer.WriteSize(count, mini);
	writer.WriteSize(blockSize, mini);
	writer.WriteValue<uint8>(static_cast<uint8>(field.Name().size()));
	writer.Write(field.Name().data(), field.Name().size());

	for (int32 i = 0; i < count; i++) {
		size_t itemSize;
		const char* item = field.ItemAt(i, &itemSize);
		if (!field.IsFixedSize())
			writer.WriteValue<int32>(static_cast<int32>(itemSize));
		writer.Write(item, itemSize);
		if (!field.IsFixedSize())
			writer.WriteZeros(PaddedItemSize(itemSize) - 4 - itemSize);
	}
}

bool
HasReplyInfo(const MessageHeader& header)
{
	return header.replyPort != -1 || header.replyTarget != B_NULL_TOKEN || header.replyTeam != -1 ||
		   header.preferred || header.replyRequired || header.replyDone || header.isReply;
}

// Writes the message; returns its size. The size and checksum are filled in
// only when writing into a buffer.
size_t
WriteR5(Writer& writer, char* buffer, uint32 what, const MessageHeader& header,
		const MessageBody& body)
{
	writer.WriteValue<uint32>(kR5Magic);
	writer.WriteValue<uint32>(0); // checksum
	writer.WriteValue<int32>(0);  // size
	writer.WriteValue<uint32>(what);

	uint8 flags = kR5Valid;
	bool includeTarget = header.target != B_NULL_TOKEN;
	bool includeReply = HasReplyInfo(header);
	if (includeTarget)
		flags |= kR5IncludeTarget;
	if (includeReply)
		flags |= kR5IncludeReply;
	if (header.hasSpecifiers)
		flags |= kR5Scripting;
	writer.WriteValue(flags);
	if (includeTarget)
		writer.WriteValue<int32>(header.target);
	if (includeReply) {
		writer.WriteValue<int32>(header.replyPort);
		writer.WriteValue<int32>(header.replyTarget);
		writer.WriteValue<int32>(header.replyTeam);
		writer.WriteValue<uint8>(header.preferred);
		writer.WriteValue<uint8>(header.replyRequired);
		writer.WriteValue<uint8>(header.replyDone);
		writer.WriteValue<uint8>(header.isReply);
	}
	size_t headerEnd = writer.Position();

	for (const MessageField& field : body.Fields())
		WriteField(writer, field);
	writer.WriteValue<uint8>(0);

	size_t size = writer.Position();
	if (buffer != nullptr) {
		int32 size32 = static_cast<int32>(size);
		memcpy(buffer + 8, &size32, sizeof(size32));
		uint32 checksum =
			CalculateChecksum(reinterpret_cast<const uint8*>(buffer) + 8, headerEnd - 8);
		memcpy(buffer + 4, &checksum, sizeof(checksum));
	}
	return size;
}

// Collects the fields of a message being read. Repeated names add their
// items to the field read first.
class BodyBuilder {
public:
	explicit BodyBuilder(MessageBody* body, bool swap) : fBody(body), fSwap(swap) {}

	// The field to add items to, or null when the name is bad or already
	// holds another type.
	MessageField* Field(std::string_view name, type_code type, bool fixedSize)
	{
		if (name.size() > kMiniDataLimit || name.find('\0') != std::string_view::npos)
			return nullptr;
		MessageField* field = fBody->FindField(name);
		if (field == nullptr)
			return &fBody->AddField(name, type, fixedSize);
		return field->Type() == type ? field : nullptr;
	}

	bool AddItem(MessageField* field, const char* item, size_t size)
	{
		if (fSwap && SwapUnit(field->Type(), size) != 0) {
			fScratch.assign(item, item + size);
			SwapItem(field->Type(), fScratch.data(), size);
			item = fScratch.data();
		}
		return field->AddItem(item, size) == B_OK;
	}

	// Splits a block of count fixed-size items.
	bool AddFixedItems(MessageField* field, const char* block, size_t blockSize, uint32 count)
	{
		if (count == 0 || blockSize == 0 || blockSize % count != 0)
			return false;
		size_t itemSize = blockSize / count;
		for (uint32 i = 0; i < count; i++) {
			if (!AddItem(field, block + i * itemSize, itemSize))
				return false;
		}
		return true;
	}

private:
	MessageBody* fBody;
	bool fSwap;
	std::vector<char> fScratch;
};

bool
ReadR5Size(ByteReader& reader, bool mini, uint32* value)
{
	if (mini) {
		uint8 small;
		if (!reader.Read(&small))
			return false;
		*value = small;
		return true;
	}
	int32 large;
	if (!reader.Read(&large) || large < 0)
		return false;
	*value = static_cast<uint32>(large);
	return true;
}

// One R5 field after its flags byte.
status_t
ReadR5Field(ByteReader& reader, uint8 flags, BodyBuilder& builder, bool swap)
{
	bool mini = (flags & kFieldMiniData) != 0;
	bool fixedSize = (flags & kFieldFixedSize) != 0;
	type_code type;
	uint32 count = 1;
	uint32 blockSize;
	uint8 nameLength;
	if (!reader.Read(&type) ||
		((flags & kFieldSingleItem) == 0 && !ReadR5Size(reader, mini, &count)) ||
		!ReadR5Size(reader, mini, &blockSize) || !reader.Read(&nameLength))
		return B_BAD_DATA;
	const char* name = reader.Take(nameLength);
	const char* block = reader.Take(blockSize);
	if (name == nullptr || block == nullptr || count == 0 || blockSize == 0)
		return B_BAD_DATA;

	MessageField* field = builder.Field(std::string_view(name, nameLength), type, fixedSize);
	if (field == nullptr)
		return B_BAD_DATA;
	if (fixedSize)
		return builder.AddFixedItems(field, block, blockSize, count) ? B_OK : B_BAD_DATA;

	ByteReader items(block, blockSize, swap);
	for (uint32 i = 0; i < count; i++) {
		int32 itemSize;
		if (!items.Read(&itemSize) || itemSize < 0)
			return B_BAD_DATA;
		const char* item = items.Take(itemSize);
		if (item == nullptr || !builder.AddItem(field, item, itemSize) ||
			!items.Skip(PaddedItemSize(itemSize) - 4 - itemSize))
			return B_BAD_DATA;
	}
	return items.Remaining() == 0 ? B_OK : B_BAD_DATA;
}

// The current specifier of a message read from a format without a slot for
// it: the one added last.
int32
LastSpecifier(const MessageBody& body)
{
	const MessageField* field = body.FindField(B_SPECIFIER_ENTRY);
	if (field == nullptr || field->Type() != B_MESSAGE_TYPE)
		return -1;
	return field->CountItems() - 1;
}

status_t
ReadR5(const char* buffer, size_t size, bool swap, uint32* what, MessageHeader* header,
	   MessageBody* body)
{
	ByteReader reader(buffer, size, swap);
	uint32 magic;
	uint32 checksum; // not checked, as on Haiku: it covers only the header
	int32 declaredSize;
	uint8 flags;
	if (!reader.Read(&magic) || !reader.Read(&checksum) || !reader.Read(&declaredSize) ||
		!reader.Read(what) || !reader.Read(&flags))
		return B_BAD_DATA;
	if (declaredSize < int32(kR5HeaderSize + 1) || size_t(declaredSize) > size)
		return B_BAD_DATA;
	reader = ByteReader(buffer, declaredSize, swap);
	reader.Skip(kR5HeaderSize);

	if ((flags & kR5IncludeTarget) != 0 && !reader.Read(&header->target))
		return B_BAD_DATA;
	if ((flags & kR5IncludeReply) != 0) {
		uint8 bools[4];
		if (!reader.Read(&header->replyPort) || !reader.Read(&header->replyTarget) ||
			!reader.Read(&header->replyTeam) || !reader.Read(&bools[0]) ||
			!reader.Read(&bools[1]) || !reader.Read(&bools[2]) || !reader.Read(&bools[3]))
			return B_BAD_DATA;
		header->preferred = bools[0] != 0;
		header->replyRequired = bools[1] != 0;
		header->replyDone = bools[2] != 0;
		header->isReply = bools[3] != 0;
	}

	BodyBuilder builder(body, swap);
	while (true) {
		uint8 fieldFlags;
		if (!reader.Read(&fieldFlags))
			return B_BAD_DATA;
		if ((fieldFlags & kFieldValid) == 0)
			break;
		status_t status = ReadR5Field(reader, fieldFlags, builder, swap);
		if (status != B_OK)
			return status;
	}
	if (reader.Remaining() != 0)
		return B_BAD_DATA;

	header->hasSpecifiers = (flags & kR5Scripting) != 0;
	if (header->hasSpecifiers)
		header->currentSpecifier = LastSpecifier(*body);
	return B_OK;
}

// One field of Haiku's native format: its header, and its name and items in
// the data area.
status_t
ReadNativeField(ByteReader& fieldHeaders, const char* data, size_t dataSize, BodyBuilder& builder)
{
	uint16 flags;
	uint16 nameLength;
	type_code type;
	uint32 count;
	uint32 fieldSize;
	uint32 offset;
	int32 nextField;
	if (!fieldHeaders.Read(&flags) || !fieldHeaders.Read(&nameLength) ||
		!fieldHeaders.Read(&type) || !fieldHeaders.Read(&count) || !fieldHeaders.Read(&fieldSize) ||
		!fieldHeaders.Read(&offset) || !fieldHeaders.Read(&nextField))
		return B_BAD_DATA;

	ByteReader area(data, dataSize);
	const char* name;
	const char* block;
	if (!area.Skip(offset) || nameLength == 0 || (name = area.Take(nameLength)) == nullptr ||
		name[nameLength - 1] != '\0' || (block = area.Take(fieldSize)) == nullptr || count == 0 ||
		fieldSize == 0)
		return B_BAD_DATA;

	bool fixedSize = (flags & kNativeFieldFixedSize) != 0;
	MessageField* field = builder.Field(std::string_view(name, nameLength - 1), type, fixedSize);
	if (field == nullptr)
		return B_BAD_DATA;
	if (fixedSize)
		return builder.AddFixedItems(field, block, fieldSize, count) ? B_OK : B_BAD_DATA;

	ByteReader items(block, fieldSize);
	for (uint32 i = 0; i < count; i++) {
		uint32 itemSize;
		const char* item;
		if (!items.Read(&itemSize) || (item = items.Take(itemSize)) == nullptr ||
			!builder.AddItem(field, item, itemSize))
			return B_BAD_DATA;
	}
	return items.Remaining() == 0 ? B_OK : B_BAD_DATA;
}

status_t
ReadNative(const char* buffer, size_t size, uint32* what, MessageHeader* header, MessageBody* body)
{
	ByteReader reader(buffer, size);
	uint32 format;
	uint32 flags;
	int32 area;
	uint32 dataSize;
	uint32 fieldCount;
	if (!reader.Read(&format) || !reader.Read(what) || !reader.Read(&flags) ||
		!reader.Read(&header->target) || !reader.Read(&header->currentSpecifier) ||
		!reader.Read(&area) || !reader.Read(&header->replyPort) ||
		!reader.Read(&header->replyTarget) || !reader.Read(&header->replyTeam) ||
		!reader.Read(&dataSize) || !reader.Read(&fieldCount) ||
		!reader.Skip(kNativeHeaderSize - reader.Position()))
		return B_BAD_DATA;

	const char* fieldHeaders = reader.Take(uint64(fieldCount) * kNativeFieldHeaderSize);
	const char* data = reader.Take(dataSize);
	if (fieldHeaders == nullptr || data == nullptr)
		return B_BAD_DATA;

	ByteReader headers(fieldHeaders, fieldCount * kNativeFieldHeaderSize);
	BodyBuilder builder(body, false);
	for (uint32 i = 0; i < fieldCount; i++) {
		status_t status = ReadNativeField(headers, data, dataSize, builder);
		if (status != B_OK)
			return status;
	}

	header->replyRequired = (flags & kNativeReplyRequired) != 0;
	header->replyDone = (flags & kNativeReplyDone) != 0;
	header->isReply = (flags & kNativeIsReply) != 0;
	header->wasDelivered = (flags & kNativeWasDelivered) != 0;
	header->hasSpecifiers = (flags & kNativeHasSpecifiers) != 0;
	if (header->currentSpecifier < -1 || header->currentSpecifier > LastSpecifier(*body))
		return B_BAD_DATA;
	return B_OK;
}

} // namespace

ssize_t
MessageAdapter::FlattenedSize(uint32 what, const MessageHeader& header, const MessageBody& body)
{
	Writer counter(nullptr);
	size_t size = WriteR5(counter, nullptr, what, header, body);
	return size > size_t(INT32_MAX) ? ssize_t(B_BAD_VALUE) : ssize_t(size);
}

status_t
MessageAdapter::Flatten(uint32 what, const MessageHeader& header, const MessageBody& body,
						char* buffer, ssize_t size)
{
	ssize_t needed = FlattenedSize(what, header, body);
	if (needed < 0)
		return needed;
	if (buffer == nullptr || size < needed)
		return B_BAD_VALUE;
	Writer writer(buffer);
	WriteR5(writer, buffer, what, header, body);
	return B_OK;
}

ssize_t
MessageAdapter::DeclaredSize(const char* buffer)
{
	uint32 magic;
	memcpy(&magic, buffer, sizeof(magic));
	if (magic == kR5Magic || magic == kR5SwappedMagic) {
		ByteReader reader(buffer + 8, sizeof(int32), magic == kR5SwappedMagic);
		int32 size;
		reader.Read(&size);
		return size;
	}
	if (magic == kNativeMagic) {
		uint32 dataSize;
		uint32 fieldCount;
		memcpy(&dataSize, buffer + 36, sizeof(dataSize));
		memcpy(&fieldCount, buffer + 40, sizeof(fieldCount));
		uint64 size = kNativeHeaderSize + uint64(fieldCount) * kNativeFieldHeaderSize + dataSize;
		return size > uint64(SSIZE_MAX) ? ssize_t(B_BAD_DATA) : ssize_t(size);
	}
	return B_NOT_A_MESSAGE;
}

status_t
MessageAdapter::Unflatten(const char* buffer, size_t size, uint32* what, MessageHeader* header,
						  MessageBody* body)
{
	uint32 magic;
	if (size < sizeof(magic))
		return B_NOT_A_MESSAGE;
	memcpy(&magic, buffer, sizeof(magic));
	switch (magic) {
		case kR5Magic:
			return ReadR5(buffer, size, false, what, header, body);
		case kR5SwappedMagic:
			return ReadR5(buffer, size, true, what, header, body);
		case kNativeMagic:
			return ReadNative(buffer, size, what, header, body);
		default:
			return B_NOT_A_MESSAGE;
	}
}

} // namespace BPrivate
