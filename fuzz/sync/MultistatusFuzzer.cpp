// Reads any bytes as a WebDAV multistatus answer and checks what comes out:
// every response has a href, and parsing the same bytes again gives the
// same answer.

#include <cstdint>

#include "DavMultistatus.h"
#include "FuzzCheck.h"

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	const QByteArray body(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
	DavMultistatus first;
	QString error;
	const bool parsed = first.Parse(body, &error);
	Check(parsed || !error.isEmpty(), "a failure without a message");
	for (const DavResponse& response : first.responses)
		Check(!response.href.isEmpty(), "a response without a href");

	DavMultistatus second;
	Check(second.Parse(body, nullptr) == parsed, "a second parse disagrees");
	Check(second.responses.size() == first.responses.size(), "a second parse counts otherwise");
	Check(second.syncToken == first.syncToken, "a second parse finds another token");
	return 0;
}
