#ifndef MESSAGE_ADAPTER_H
#define MESSAGE_ADAPTER_H

#include <SupportDefs.h>

namespace BPrivate {

class MessageBody;
struct MessageHeader;

// Reads and writes flattened messages.
//
// Writing produces the BeOS R5 format in host byte order, with the compact
// one-byte count and length forms wherever a field's data block and item
// count fit in a byte, as BeOS wrote them.
//
// Reading accepts R5 in either byte order and Haiku's native format in host
// order. It never reads past the given size, validates every count and
// length against the bytes present, and allocates no more than a small
// multiple of the input. Nested messages stay flattened.
class MessageAdapter {
public:
	// The R5 size of the message, or B_BAD_VALUE when it would not fit
	// the format's 32-bit size.
	static ssize_t FlattenedSize(uint32 what, const MessageHeader& header, const MessageBody& body);
	// Writes FlattenedSize() bytes; B_BAD_VALUE when size is too small.
	static status_t Flatten(uint32 what, const MessageHeader& header, const MessageBody& body,
							char* buffer, ssize_t size);

	// The whole size a flattened message claims in its header, read
	// without bounds: the buffer must hold at least the header.
	// B_NOT_A_MESSAGE for an unknown format.
	static ssize_t DeclaredSize(const char* buffer);

	// Fills what, header and body, which must be fresh. On error their
	// contents are unspecified: B_NOT_A_MESSAGE for an unknown format,
	// B_BAD_DATA for inconsistent or truncated data.
	static status_t Unflatten(const char* buffer, size_t size, uint32* what, MessageHeader* header,
							  MessageBody* body);
};

} // namespace BPrivate

#endif // MESSAGE_ADAPTER_H
