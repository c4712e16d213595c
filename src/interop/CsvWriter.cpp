#include "CsvWriter.h"

#include <cstring>

#include "ABookRecord.h"
#include "ZIBook.h"

namespace {

void
AppendField(const char* text, std::string& out)
{
	if (strpbrk(text, ",\"\r\n") == nullptr) {
		out += text;
		return;
	}
	out += '"';
	for (const char* byte = text; *byte != '\0'; byte++) {
		if (*byte == '"')
			out += '"';
		out += *byte;
	}
	out += '"';
}

} // namespace

void
CsvWriter::AppendHeader(std::string& out)
{
	for (int field = 0; field < kFieldCount; field++) {
		if (field > 0)
			out += ',';
		AppendField(gInitFieldNames[field], out);
	}
	out += "\r\n";
}

void
CsvWriter::Append(const ABookRecord& record, std::string& out)
{
	for (int field = 0; field < kFieldCount; field++) {
		if (field > 0)
			out += ',';
		AppendField(record.Field(field), out);
	}
	out += "\r\n";
}
