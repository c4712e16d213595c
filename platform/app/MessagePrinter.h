#ifndef MESSAGE_PRINTER_H
#define MESSAGE_PRINTER_H

#include <SupportDefs.h>

namespace BPrivate {

class MessageBody;
class MessageField;

// Writes a readable dump of a message to standard output, nested messages
// included down to a bounded depth.
class MessagePrinter {
public:
	static void Print(uint32 what, const MessageBody& body);

private:
	static void _PrintCode(uint32 code);
	static void _PrintBody(const MessageBody& body, int depth);
	static void _PrintItem(const MessageField& field, const char* item, size_t size, int depth);
};

} // namespace BPrivate

#endif // MESSAGE_PRINTER_H
