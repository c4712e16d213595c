#include "MessagePrinter.h"

#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include <TypeConstants.h>

#include "MessageAdapter.h"
#include "MessageBody.h"
#include "MessagePrivate.h"

namespace BPrivate {

// Nested messages deeper than this are shown by size only.
static const int kMaxPrintDepth = 32;

void
MessagePrinter::Print(uint32 what, const MessageBody& body)
{
	printf("BMessage(");
	_PrintCode(what);
	printf(") {\n");
	_PrintBody(body, 1);
	printf("}\n");
}

void
MessagePrinter::_PrintCode(uint32 code)
{
	char chars[4] = {char(code >> 24), char(code >> 16), char(code >> 8), char(code)};
	bool printable = true;
	for (char c : chars)
		printable = printable && isprint(static_cast<unsigned char>(c));
	if (printable)
		printf("'%.4s'", chars);
	else
		printf("0x%" PRIx32, code);
}

void
MessagePrinter::_PrintBody(const MessageBody& body, int depth)
{
	for (const MessageField& field : body.Fields()) {
		for (int32 i = 0; i < field.CountItems(); i++) {
			size_t size;
			const char* item = field.ItemAt(i, &size);
			printf("%*s%s", depth * 8, "", field.Name().c_str());
			if (field.CountItems() > 1)
				printf("[%" PRId32 "]", i);
			printf(" = ");
			_PrintItem(field, item, size, depth);
		}
	}
}

void
MessagePrinter::_PrintItem(const MessageField& field, const char* item, size_t size, int depth)
{
	auto value = [&](auto zero) {
		decltype(zero) result;
		memcpy(&result, item, sizeof(result));
		return result;
	};
	switch (size == MessageField::SizeOfType(field.Type()) ? field.Type() : 0) {
		case B_BOOL_TYPE:
			printf("bool(%s)\n", *item != 0 ? "true" : "false");
			return;
		case B_INT8_TYPE:
			printf("int8(%d)\n", value(int8()));
			return;
		case B_INT16_TYPE:
			printf("int16(%d)\n", value(int16()));
			return;
		case B_INT32_TYPE:
			printf("int32(%" PRId32 " or 0x%" PRIx32 ")\n", value(int32()), value(uint32()));
			return;
		case B_INT64_TYPE:
			printf("int64(%" PRId64 " or 0x%" PRIx64 ")\n", value(int64()), value(uint64()));
			return;
		case B_FLOAT_TYPE:
			printf("float(%.4f)\n", value(float()));
			return;
		case B_DOUBLE_TYPE:
			printf("double(%.8f)\n", value(double()));
			return;
	}
	if (field.Type() == B_STRING_TYPE && size > 0 && item[size - 1] == '\0') {
		printf("string(\"%s\", %zu bytes)\n", item, size);
		return;
	}
	uint32 what;
	MessageHeader header;
	MessageBody body;
	if (field.Type() == B_MESSAGE_TYPE && depth < kMaxPrintDepth &&
		MessageAdapter::Unflatten(item, size, &what, &header, &body) == B_OK) {
		printf("BMessage(");
		_PrintCode(what);
		printf(") {\n");
		_PrintBody(body, depth + 1);
		printf("%*s}\n", depth * 8, "");
		return;
	}
	printf("type ");
	_PrintCode(field.Type());
	printf(", %zu bytes\n", size);
}

} // namespace BPrivate
