#ifndef BOOK_CHANGED_QUERY_H
#define BOOK_CHANGED_QUERY_H

#include <SupportDefs.h>

// Asks the running application whether one of its windows has the book
// file at "path" (an absolute path, links resolved) open with unsaved
// changes. The reply carries the bool "changed". zib-book asks before it
// writes a book.
const uint32 kMsgIsBookChanged = 'abch';
inline constexpr char kBookPathField[] = "path";
inline constexpr char kBookChangedField[] = "changed";

#endif // BOOK_CHANGED_QUERY_H
