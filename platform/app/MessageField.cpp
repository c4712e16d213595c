#include "MessageField.h"

#include <algorithm>

#include <TypeConstants.h>

namespace BPrivate {

MessageField::MessageField(std::string_view name, type_code type, bool fixedSize)
	: fName(name), fHash(HashName(name)), fType(type), fFixedSize(fixedSize)
{
}

const char*
MessageField::ItemAt(int32 index, size_t* size) const
{
	size_t start = _Start(index);
	*size = fEnds[index] - start;
	return fData.data() + start;
}

status_t
MessageField::AddItem(const void* data, size_t size)
{
	if (!AcceptsSize(size))
		return B_BAD_VALUE;
	const char* bytes = static_cast<const char*>(data);
	fData.insert(fData.end(), bytes, bytes + size);
	fEnds.push_back(static_cast<uint32>(fData.size()));
	return B_OK;
}

void
MessageField::Reserve(int32 count, size_t itemSize)
{
	// The count is only a hint from the caller; don't let it allocate much.
	const int32 kMaxReserved = 1024;
	if (count <= 1 || itemSize > 1024)
		return;
	count = std::min(count, kMaxReserved);
	fEnds.reserve(count);
	fData.reserve(count * itemSize);
}

bool
MessageField::AcceptsSize(size_t size) const
{
	if (size > UINT32_MAX - fData.size())
		return false;
	size_t typeSize = SizeOfType(fType);
	if (typeSize != 0 && size != typeSize)
		return false;
	return !fFixedSize || fEnds.empty() || size == fEnds[0];
}

uint32
MessageField::HashName(std::string_view name)
{
	// FNV-1a
	uint32 hash = 2166136261u;
	for (unsigned char c : name)
		hash = (hash ^ c) * 16777619u;
	return hash;
}

size_t
MessageField::SizeOfType(type_code type)
{
	switch (type) {
		case B_BOOL_TYPE:
		case B_CHAR_TYPE:
		case B_INT8_TYPE:
		case B_UINT8_TYPE:
			return 1;
		case B_INT16_TYPE:
		case B_UINT16_TYPE:
			return 2;
		case B_FLOAT_TYPE:
		case B_INT32_TYPE:
		case B_UINT32_TYPE:
			return 4;
		case B_DOUBLE_TYPE:
		case B_INT64_TYPE:
		case B_POINT_TYPE:
		case B_UINT64_TYPE:
			return 8;
		case B_RECT_TYPE:
			return 16;
		case B_MESSENGER_TYPE:
			return 24;
		default:
			return 0;
	}
}

} // namespace BPrivate
