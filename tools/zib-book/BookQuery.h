#ifndef BOOK_QUERY_H
#define BOOK_QUERY_H

#include <string>
#include <string_view>
#include <vector>

#include <SupportDefs.h>

#include "QueryWord.h"

// The query of mail programs (mutt's query_command, aerc's
// address-book-cmd) over a book file: every record whose nickname, first
// name, last name, company or e-mail addresses contain all the words, case
// ignored, gives one line per e-mail address.
//
// Reads the mapped book file directly, without building a book, and splits
// only the lines where the first word may be: a query runs as a whole
// process per keystroke of a mail program, so it must not pay for records
// it does not show.
class BookQuery final {
public:
	struct Match {
		std::string address;
		std::string name;
		std::string nickname;
	};

	explicit BookQuery(const std::vector<std::string>& words);

	// Adds the matches of the book at path, in the book's order, to
	// matches; answers how many records matched, or an error when the
	// file cannot be read.
	status_t Run(const char* path, std::vector<Match>& matches, int& records) const;

private:
	void _Scan(std::string_view data, int first, std::vector<Match>& matches, int& records) const;
	void _ScanLine(std::string_view line, int first, std::vector<Match>& matches,
				   int& records) const;

	std::vector<QueryWord> fWords;
};

#endif // BOOK_QUERY_H
