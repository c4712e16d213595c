// Unflattens arbitrary bytes. Whatever is accepted must flatten, read back
// and flatten again to the same bytes; its fields and nested messages must
// be readable without faults.

#include <Message.h>
#include <MessagePrivate.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

const int kMaxDepth = 4;

std::vector<char>
FlattenOrDie(const BMessage& message)
{
	ssize_t size = message.FlattenedSize();
	if (size < 0)
		abort();
	std::vector<char> bytes(size);
	if (message.Flatten(bytes.data(), size) != B_OK)
		abort();
	return bytes;
}

void
Explore(BMessage& message, int depth)
{
	char* name;
	type_code type;
	int32 count;
	for (int32 i = 0; message.GetInfo(B_ANY_TYPE, i, &name, &type, &count) == B_OK; i++) {
		for (int32 index = 0; index < count; index++) {
			const void* data;
			ssize_t size;
			if (message.FindData(name, type, index, &data, &size) != B_OK)
				abort();
			const char* string;
			message.FindString(name, index, &string);
			message.GetInt64(name, index, 0);
			BMessage nested;
			if (depth < kMaxDepth && message.FindMessage(name, index, &nested) == B_OK)
				Explore(nested, depth + 1);
		}
	}
	BPrivate::MessagePrivate(message).SetWasDelivered(true);
	BMessage specifier;
	const char* property;
	while (message.GetCurrentSpecifier(nullptr, &specifier, nullptr, &property) == B_OK)
		message.PopSpecifier();
}

} // namespace

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	BMessage message;
	if (message.Unflatten(reinterpret_cast<const char*>(data), size) != B_OK)
		return 0;

	std::vector<char> first = FlattenOrDie(message);
	BMessage again;
	if (again.Unflatten(first.data(), first.size()) != B_OK)
		abort();
	if (FlattenOrDie(again) != first)
		abort();

	Explore(message, 0);
	return 0;
}
