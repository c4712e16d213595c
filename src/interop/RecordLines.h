#ifndef RECORD_LINES_H
#define RECORD_LINES_H

#include <string>
#include <string_view>
#include <vector>

#include "ContactDraft.h"

class ABookRecord;

// Records as the text another book window puts on the clipboard: one line
// per record, its 21 fields each followed by a tab (as "Copy this Record to
// the Clipboard" writes one), lines separated by line feeds.
class RecordLines final {
public:
	RecordLines() = delete;

	static std::string Write(const std::vector<const ABookRecord*>& records);

	// The records of text, one per line of 21 tab-separated fields (a tab
	// after the last one or not; CR LF or LF; empty lines skipped). False
	// when a line is no record line; records then holds those before it.
	static bool Read(std::string_view text, std::vector<ContactFields>& records);
};

#endif // RECORD_LINES_H
