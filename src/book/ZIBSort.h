#ifndef ZIBSORT_H
#define ZIBSORT_H

#include <vector>

class ABookRecord;
class ZIBook;

// The list index of a book: its records in chain order.
std::vector<ABookRecord*> BuildListIndex(const ZIBook* book);

// Relinks the book's chain in the order of index, which holds every record
// of the book once: index[0] becomes the first record, the last entry the
// last, and the links run both ways between neighbours.
void BuildLinkedList(ZIBook* book, const std::vector<ABookRecord*>& index);

// Sorts the book's chain by one field and answers true; the window then
// redraws its list. The order is the one PivotQuicksort gives the list
// index when it compares the field texts with A-Z turned to lower case; the
// keys are copied out of the records first, so a comparison touches two
// short texts side by side instead of two records anywhere in memory. A
// null book, a book of fewer than two records or a field outside 0..20 is
// left as it was and answers false. The dirty flag is not changed.
bool SortBook(ZIBook* book, unsigned short field);

#endif // ZIBSORT_H
