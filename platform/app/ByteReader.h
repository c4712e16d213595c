#ifndef BYTE_READER_H
#define BYTE_READER_H

#include <SupportDefs.h>

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace BPrivate {

// Reads values from a byte range, never past its end, optionally swapping
// them from the other byte order. Every read reports whether the bytes were
// there; a failed read consumes nothing.
class ByteReader {
public:
	ByteReader(const char* data, size_t size, bool swap = false)
		: fData(data), fSize(size), fPosition(0), fSwap(swap)
	{}

	size_t Position() const { return fPosition; }
	size_t Remaining() const { return fSize - fPosition; }

	// Points at the next size bytes and moves past them; null when fewer
	// are left.
	const char* Take(size_t size)
	{
		if (size > Remaining())
			return nullptr;
		const char* bytes = fData + fPosition;
		fPosition += size;
		return bytes;
	}

	bool Skip(size_t size) { return Take(size) != nullptr; }

	template <typename T> bool Read(T* value)
	{
		static_assert(std::is_integral_v<T>);
		const char* bytes = Take(sizeof(T));
		if (bytes == nullptr)
			return false;
		char copy[sizeof(T)];
		memcpy(copy, bytes, sizeof(T));
		if (fSwap)
			std::reverse(copy, copy + sizeof(T));
		memcpy(value, copy, sizeof(T));
		return true;
	}

private:
	const char* fData;
	size_t fSize;
	size_t fPosition;
	bool fSwap;
};

} // namespace BPrivate

#endif // BYTE_READER_H
