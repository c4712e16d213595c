#ifndef WIRE_FRAME_H
#define WIRE_FRAME_H

#include <SupportDefs.h>

#include <string>

class BMessage;

namespace BPrivate {

// One message on the stream socket between two teams:
//   uint32 payload size (little-endian), then the payload:
//   int32 target port (little-endian), then the flattened message (R5),
//   whose header carries the target token and the reply address.
// Port kApplicationPort names the receiving team's application looper.
// Stateless and thread-safe.
class WireFrame {
public:
	static const size_t kSizeFieldLength = 4;
	// Port + the smallest flattened message header.
	static const uint32 kMinPayloadSize = 4 + 17;
	// A text of 64 MiB in a message, plus room for its header and fields.
	static const uint32 kMaxPayloadSize = (64u << 20) + (64u << 10);

	// Appends a whole frame to *out. B_BAD_VALUE when the message does not
	// flatten or exceeds kMaxPayloadSize; B_NO_MEMORY.
	static status_t Encode(port_id targetPort, const BMessage& message, std::string* out);

	// The payload size from the first kSizeFieldLength bytes of a frame;
	// B_BAD_DATA when it lies outside kMinPayloadSize..kMaxPayloadSize.
	static status_t PayloadSize(const char* sizeField, uint32* size);

	// Reads a payload of exactly size bytes. B_BAD_DATA or B_NOT_A_MESSAGE
	// for anything malformed; *message is then empty.
	static status_t DecodePayload(const char* payload, size_t size, port_id* targetPort,
		BMessage* message);
};

// The port that stands for a team's application looper in frames and in
// messengers made from a signature.
const port_id kApplicationPort = 0;

} // namespace BPrivate

#endif // WIRE_FRAME_H
