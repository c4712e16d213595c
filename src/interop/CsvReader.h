#ifndef CSV_READER_H
#define CSV_READER_H

#include <string>
#include <string_view>
#include <vector>

// Splits comma-separated values (RFC 4180) into rows of fields: fields in
// double quotes may hold commas, line breaks and doubled quotes; CRLF and
// LF both end a row; a leading byte-order mark is skipped. Lenient like the
// producers it reads: a quote inside an unquoted field is an ordinary
// character, text after a closing quote is kept.
// Stateless; safe on any thread.
class CsvReader final {
public:
	using Row = std::vector<std::string>;

	CsvReader() = delete;

	// The rows of text; blank lines give no row. unclosed becomes true when
	// the last field's quote was never closed (that field then runs to the
	// end of the text).
	static std::vector<Row> Rows(std::string_view text, bool& unclosed);
};

#endif // CSV_READER_H
