#ifndef CASE_FOLD_H
#define CASE_FOLD_H

#include <string>
#include <string_view>

// Appends text to out with its letter case folded (Unicode full case
// folding through ICU, so "STRASSE" and "Straße" fold alike; plain ASCII
// takes a fast path). Text that is not valid UTF-8 is appended lowered in
// its ASCII letters only. Safe on any thread.
void AppendCaseFolded(std::string_view text, std::string& out);

#endif // CASE_FOLD_H
