#include "CsvWriter.h"

#include <string_view>

#include "ABookRecord.h"
#include "ZIBook.h"

namespace {

void
AppendField(std::string_view text, std::string& out)
{
	if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
		out += text;
		return;
	}
	out += '"';
	for (char byte : text) {
		if (byte == '"')
			out += '"';
		out += byte;
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
	const ABookRecord::FieldTexts texts = record.Fields();
	for (int field = 0; field < kFieldCount; field++) {
		if (field > 0)
			out += ',';
		AppendField(texts[field], out);
	}
	out += "\r\n";
}
