#ifndef MERGE_TEMPLATE_H
#define MERGE_TEMPLATE_H

#include <string>
#include <vector>

#include <SupportDefs.h>

class ABookRecord;

// A mail-merge template: text with placeholders named after the fields
// ("{First Name}", "{City}"; letter case is ignored), each replaced by that
// field of a record. "{{" and "}}" stand for the braces themselves.
class MergeTemplate {
public:
	explicit MergeTemplate(const std::string& text);

	// Empty when the template is sound; otherwise a message that names
	// every placeholder with no such field and an unclosed brace, for the
	// user, before anything is merged.
	const std::string& Error() const { return fError; }

	// The template with record's fields in place of the placeholders.
	std::string Merge(const ABookRecord* record) const;

	// Writes one text file per record into directory, named by its
	// position and name ("001 Ann Lee.txt"). Writes nothing and answers
	// B_FILE_EXISTS when one of the files exists already; otherwise the
	// first failure, or B_OK. written receives the paths written.
	status_t WriteFiles(const std::string& directory,
						const std::vector<const ABookRecord*>& records,
						std::vector<std::string>& written) const;

private:
	// A run of literal text, or a field (field >= 0).
	struct Piece {
		std::string text;
		int field;
	};

	std::vector<Piece> fPieces;
	std::string fError;
};

#endif // MERGE_TEMPLATE_H
