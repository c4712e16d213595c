#ifndef CSV_WRITER_H
#define CSV_WRITER_H

#include <string>

class ABookRecord;

// Writes records as our own CSV (RFC 4180): a header row of the 21 field
// names as the record dialogs label them, then one row per record; CRLF
// line ends, UTF-8, a field in double quotes when it holds a comma, a quote
// or a line break. Stateless; safe on any thread.
class CsvWriter final {
public:
	CsvWriter() = delete;

	static void AppendHeader(std::string& out);
	static void Append(const ABookRecord& record, std::string& out);
};

#endif // CSV_WRITER_H
