#ifndef STRING_ITEM_H
#define STRING_ITEM_H

#include <Message.h>

// The string item index of field name, or null when there is none.
inline const char*
string_item(const BMessage& message, const char* name, int32 index = 0)
{
	const char* string = nullptr;
	message.FindString(name, index, &string);
	return string;
}

#endif // STRING_ITEM_H
