#ifndef INTEROP_TEXT_H
#define INTEROP_TEXT_H

#include <string>
#include <string_view>

// Small text helpers shared by the readers and writers of outside formats.

// The text with every line break (CR LF, CR or LF) and every tab turned
// into one space and every zero byte left out, so that it fits a field.
std::string OneLine(std::string_view text);

// The text as valid UTF-8: unchanged when it already is, else read as
// Windows-1252 (the usual producer of 8-bit cards and CSV files).
std::string AsUtf8(std::string_view text);

// The text without a leading UTF-8 byte-order mark.
std::string_view WithoutByteOrderMark(std::string_view text);

// Whether two ASCII texts are equal, letter case ignored.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// The number of leading bytes of text that fit in a field (40 bytes, never
// splitting a UTF-8 character).
size_t FieldCut(std::string_view text);

#endif // INTEROP_TEXT_H
