// Reads arbitrary bytes as a stream of frames, the way a connection's reader
// does: every frame whose size is accepted is decoded, and the stream ends
// at the first bad size or malformed payload. What decodes must encode again
// to a frame that decodes to the same port and bytes.

#include <Message.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "WireFrame.h"

using BPrivate::WireFrame;

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	const char* bytes = reinterpret_cast<const char*>(data);
	size_t offset = 0;
	while (size - offset >= WireFrame::kSizeFieldLength) {
		uint32 payloadSize;
		if (WireFrame::PayloadSize(bytes + offset, &payloadSize) != B_OK)
			break;
		offset += WireFrame::kSizeFieldLength;
		if (payloadSize > size - offset)
			break;
		BMessage message;
		port_id port;
		if (WireFrame::DecodePayload(bytes + offset, payloadSize, &port, &message) != B_OK)
			break;
		offset += payloadSize;

		std::string again;
		if (WireFrame::Encode(port, message, &again) != B_OK)
			abort();
		BMessage decoded;
		port_id decodedPort;
		if (WireFrame::DecodePayload(again.data() + WireFrame::kSizeFieldLength,
									 again.size() - WireFrame::kSizeFieldLength, &decodedPort,
									 &decoded) != B_OK ||
			decodedPort != port) {
			abort();
		}
		std::string third;
		if (WireFrame::Encode(decodedPort, decoded, &third) != B_OK || third != again)
			abort();
	}
	return 0;
}
