#include "CsvReader.h"

#include "InteropText.h"

std::vector<CsvReader::Row>
CsvReader::Rows(std::string_view text, bool& unclosed)
{
	text = WithoutByteOrderMark(text);
	std::vector<Row> rows;
	Row row;
	std::string field;
	bool quoted = false;
	bool rowHasText = false;
	unclosed = false;
	auto endRow = [&] {
		if (rowHasText || !row.empty()) {
			row.push_back(std::move(field));
			rows.push_back(std::move(row));
		}
		row = Row();
		field.clear();
		rowHasText = false;
	};
	for (size_t i = 0; i < text.size(); i++) {
		char byte = text[i];
		if (quoted) {
			if (byte != '"')
				field += byte;
			else if (i + 1 < text.size() && text[i + 1] == '"')
				field += text[++i];
			else
				quoted = false;
			continue;
		}
		switch (byte) {
			case '"':
				if (field.empty())
					quoted = true;
				else
					field += byte;
				rowHasText = true;
				break;
			case ',':
				row.push_back(std::move(field));
				field.clear();
				break;
			case '\r':
				if (i + 1 < text.size() && text[i + 1] == '\n')
					break;
				endRow();
				break;
			case '\n':
				endRow();
				break;
			default:
				field += byte;
				rowHasText = true;
		}
	}
	unclosed = quoted;
	endRow();
	return rows;
}
