#include "PostalAddress.h"

#include <sstream>

#include "ABookRecord.h"
#include "ZIBook.h"

namespace {

// Words of line joined by single spaces: empty fields leave runs of them.
std::string
Squeezed(const std::string& line)
{
	std::istringstream words(line);
	std::string word;
	std::string result;
	while (words >> word) {
		if (!result.empty())
			result += ' ';
		result += word;
	}
	return result;
}

} // namespace

std::vector<std::string>
PostalAddressLines(const ABookRecord* record)
{
	std::vector<std::string> lines;
	if (record == nullptr)
		return lines;
	char text[kFormattedAddressLength + 1];
	ZIBook::CollectFormattedAddress(record, text);
	std::istringstream stream(text);
	std::string line;
	while (std::getline(stream, line)) {
		line = Squeezed(line);
		if (!line.empty())
			lines.push_back(line);
	}
	return lines;
}

std::string
FullName(const ABookRecord* record)
{
	return Squeezed(std::string(record->Field(kFirstNameField)) + ' ' +
					record->Field(kLastNameField));
}
