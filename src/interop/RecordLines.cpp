#include "RecordLines.h"

#include <algorithm>

#include "ZIBook.h"

std::string
RecordLines::Write(const std::vector<const ABookRecord*>& records)
{
	std::string lines;
	for (const ABookRecord* record : records) {
		if (!lines.empty())
			lines += '\n';
		lines += ZIBook::RecordLine(record);
	}
	return lines;
}

bool
RecordLines::Read(std::string_view text, std::vector<ContactFields>& records)
{
	while (!text.empty()) {
		size_t end = text.find('\n');
		std::string_view line = text.substr(0, end);
		text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
		if (!line.empty() && line.back() == '\r')
			line.remove_suffix(1);
		if (line.empty())
			continue;
		size_t tabs = std::count(line.begin(), line.end(), '\t');
		if (tabs == kFieldCount && line.back() == '\t')
			line.remove_suffix(1);
		else if (tabs != kFieldCount - 1)
			return false;
		ContactFields fields;
		for (int field = 0; field < kFieldCount; field++) {
			size_t tab = line.find('\t');
			fields[field] = std::string(line.substr(0, tab));
			line.remove_prefix(tab == std::string_view::npos ? line.size() : tab + 1);
		}
		records.push_back(std::move(fields));
	}
	return true;
}
