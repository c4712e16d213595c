#ifndef CASE_FOLD_H
#define CASE_FOLD_H

#include <string>
#include <string_view>

// Appends text to out with its letter case folded: Unicode full case
// folding through ICU, so "STRASSE" and "Straße" fold alike. Bytes that are
// not valid UTF-8 are appended unchanged. Safe on any thread.
//
// The one place that folds case for zib-book; when the book core offers a
// folding helper, this becomes a call to it.
void AppendCaseFolded(std::string_view text, std::string& out);

// The same into out, which must hold 3 * text.size() bytes; answers the
// number of bytes written. For scans that fold many short texts.
size_t CaseFoldInto(std::string_view text, char* out);

#endif // CASE_FOLD_H
