#include "MergeTemplate.h"

#include <strings.h>
#include <sys/stat.h>

#include <cstdio>

#include <Errors.h>
#include <File.h>

#include "ABookRecord.h"
#include "PostalAddress.h"
#include "ZIBook.h"

namespace {

int
FieldNamed(const std::string& name)
{
	for (int field = 0; field < kFieldCount; field++) {
		if (strcasecmp(name.c_str(), gInitFieldNames[field]) == 0)
			return field;
	}
	return -1;
}

// A file name from a record's name: no path separators, no hidden files.
std::string
FileName(size_t position, const ABookRecord* record)
{
	char number[24];
	snprintf(number, sizeof(number), "%03zu", position);
	std::string name = FullName(record);
	if (name.empty())
		name = record->Field(kNicknameField);
	for (char& c : name) {
		if (c == '/')
			c = '_';
	}
	return std::string(number) + (name.empty() ? "" : " " + name) + ".txt";
}

status_t
WriteWhole(const std::string& path, const std::string& text)
{
	BFile file(path.c_str(), B_WRITE_ONLY | B_CREATE_FILE | B_FAIL_IF_EXISTS);
	status_t status = file.InitCheck();
	if (status == B_OK) {
		ssize_t written = file.Write(text.data(), text.size());
		status = written < 0 ? static_cast<status_t>(written) : file.Flush();
	}
	return status;
}

} // namespace

MergeTemplate::MergeTemplate(const std::string& text)
{
	std::string unknown;
	std::string literal;
	size_t i = 0;
	while (i < text.size()) {
		char c = text[i];
		if ((c == '{' || c == '}') && i + 1 < text.size() && text[i + 1] == c) {
			literal += c;
			i += 2;
			continue;
		}
		if (c != '{') {
			literal += c;
			i++;
			continue;
		}
		size_t close = text.find_first_of("{}\n", i + 1);
		if (close == std::string::npos || text[close] != '}') {
			fError = "A \"{\" is not closed by \"}\" on its line.";
			return;
		}
		std::string name = text.substr(i + 1, close - i - 1);
		int field = FieldNamed(name);
		if (field < 0)
			unknown += (unknown.empty() ? "" : ", ") + ("{" + name + "}");
		if (!literal.empty())
			fPieces.push_back({literal, -1});
		literal.clear();
		fPieces.push_back({std::string(), field});
		i = close + 1;
	}
	if (!literal.empty())
		fPieces.push_back({literal, -1});
	if (!unknown.empty())
		fError = "No field has the name of " + unknown + ".";
}

std::string
MergeTemplate::Merge(const ABookRecord* record) const
{
	std::string result;
	for (const Piece& piece : fPieces)
		result += piece.field < 0 ? piece.text : std::string(record->Field(piece.field));
	return result;
}

status_t
MergeTemplate::WriteFiles(const std::string& directory,
						  const std::vector<const ABookRecord*>& records,
						  std::vector<std::string>& written) const
{
	written.clear();
	std::vector<std::string> paths;
	for (size_t i = 0; i < records.size(); i++) {
		paths.push_back(directory + "/" + FileName(i + 1, records[i]));
		struct stat info;
		if (lstat(paths.back().c_str(), &info) == 0)
			return B_FILE_EXISTS;
	}
	for (size_t i = 0; i < records.size(); i++) {
		status_t status = WriteWhole(paths[i], Merge(records[i]));
		if (status != B_OK)
			return status;
		written.push_back(paths[i]);
	}
	return B_OK;
}
