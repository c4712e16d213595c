#include "WireFrame.h"

#include <new>

#include <Message.h>

namespace {

uint32
read_le32(const char* bytes)
{
	const auto* b = reinterpret_cast<const unsigned char*>(bytes);
	return uint32(b[0]) | uint32(b[1]) << 8 | uint32(b[2]) << 16 | uint32(b[3]) << 24;
}

void
append_le32(uint32 value, std::string* out)
{
	for (int shift = 0; shift < 32; shift += 8)
		out->push_back(char((value >> shift) & 0xff));
}

} // namespace

namespace BPrivate {

status_t
WireFrame::Encode(port_id targetPort, const BMessage& message, std::string* out)
{
	ssize_t flatSize = message.FlattenedSize();
	if (flatSize < 0 || uint64(flatSize) + 4 > kMaxPayloadSize)
		return B_BAD_VALUE;
	try {
		size_t start = out->size();
		out->reserve(start + kSizeFieldLength + 4 + flatSize);
		append_le32(uint32(flatSize + 4), out);
		append_le32(uint32(targetPort), out);
		out->resize(start + kSizeFieldLength + 4 + flatSize);
		status_t status = message.Flatten(out->data() + start + kSizeFieldLength + 4, flatSize);
		if (status != B_OK)
			out->resize(start);
		return status;
	} catch (const std::bad_alloc&) {
		return B_NO_MEMORY;
	}
}

status_t
WireFrame::PayloadSize(const char* sizeField, uint32* size)
{
	uint32 value = read_le32(sizeField);
	if (value < kMinPayloadSize || value > kMaxPayloadSize)
		return B_BAD_DATA;
	*size = value;
	return B_OK;
}

status_t
WireFrame::DecodePayload(const char* payload, size_t size, port_id* targetPort,
	BMessage* message)
{
	if (size < kMinPayloadSize || size > kMaxPayloadSize) {
		message->MakeEmpty();
		return B_BAD_DATA;
	}
	*targetPort = port_id(read_le32(payload));
	return message->Unflatten(payload + 4, ssize_t(size - 4));
}

} // namespace BPrivate
