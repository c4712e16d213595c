#include "InteropText.h"

#include <glib.h>

#include "ABookRecord.h"
#include "AsciiCase.h"

std::string
OneLine(std::string_view text)
{
	std::string line;
	line.reserve(text.size());
	for (size_t i = 0; i < text.size(); i++) {
		char byte = text[i];
		if (byte == '\0')
			continue;
		if (byte == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
			i++;
		line += byte == '\r' || byte == '\n' || byte == '\t' ? ' ' : byte;
	}
	return line;
}

std::string
AsUtf8(std::string_view text)
{
	if (g_utf8_validate(text.data(), text.size(), nullptr))
		return std::string(text);
	gsize written = 0;
	gchar* converted = g_convert_with_fallback(text.data(), text.size(), "UTF-8", "WINDOWS-1252",
											   "?", nullptr, &written, nullptr);
	if (converted == nullptr)
		converted =
			g_convert(text.data(), text.size(), "UTF-8", "ISO-8859-1", nullptr, &written, nullptr);
	std::string result = converted != nullptr ? std::string(converted, written) : std::string();
	g_free(converted);
	return result;
}

std::string_view
WithoutByteOrderMark(std::string_view text)
{
	if (text.substr(0, 3) == "\xEF\xBB\xBF")
		text.remove_prefix(3);
	return text;
}

bool
EqualsIgnoringCase(std::string_view a, std::string_view b)
{
	if (a.size() != b.size())
		return false;
	for (size_t i = 0; i < a.size(); i++) {
		if (ToLowerAscii(a[i]) != ToLowerAscii(b[i]))
			return false;
	}
	return true;
}

size_t
FieldCut(std::string_view text)
{
	return ABookRecord::FieldLength(text.data(), text.size());
}
