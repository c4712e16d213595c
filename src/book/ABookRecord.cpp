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

std::atomic<uint64_t> sLastSerial(0);

} // namespace

ABookRecord::ABookRecord() : fNext(nullptr), fPrev(nullptr), fSerial(++sLastSerial)
{
	Clear();
}

void
ABookRecord::Clear()
{
	// The whole block, not only the first bytes: scans read every byte.
	memset(fFields, 0, sizeof(fFields));
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
	length = FieldLength(text, length);
	memcpy(fFields[field], text, length);
	fFields[field][length] = '\0';
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
