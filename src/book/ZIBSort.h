#ifndef ZIBSORT_H
#define ZIBSORT_H

#include <vector>

class ABookRecord;
class LanguageCollator;
class ZIBook;

// The list index of a book: its records in chain order.
std::vector<ABookRecord*> BuildListIndex(const ZIBook* book);

// Relinks the book's chain in the order of index, which holds every record
// of the book once: index[0] becomes the first record, the last entry the
// last, and the links run both ways between neighbours.
void BuildLinkedList(ZIBook* book, const std::vector<ABookRecord*>& index);

// Sorts the book's chain by one field and answers true; the window then
// redraws its list. Without a collator the order is the one PivotQuicksort
// gives the list index when it compares the field texts with A-Z turned to
// lower case; with one it is the collator's order of the field texts. Either
// way records with equal keys end up where the partition puts them. One key
// per record is made first, side by side in one block, so a comparison is a
// strcmp of two short byte strings. A null book, a book of fewer than two
// records or a field outside 0..20 is left as it was and answers false. The
// dirty flag is not changed.
bool SortBook(ZIBook* book, unsigned short field, const LanguageCollator* collator = nullptr);

#endif // ZIBSORT_H
