#ifndef ZIBQSORT_H
#define ZIBQSORT_H

class ABookRecord;

// The quicksort of a list index: an array of record pointers, ordered by the
// text of one field, byte by byte, with ASCII letters compared without
// regard to case and no second key. Records with equal keys end up where
// the partition puts them (PivotPartition), not in their earlier order.
// Records are never copied; only the pointers move. The sort tests hold
// SortBook, which sorts a book's chain, to this order.

// Sorts positions low..high inclusive of index. Recurses into the smaller
// part and loops over the larger, so the stack stays O(log n). A field
// outside 0..20 sorts nothing.
void ZIBQsort(ABookRecord** index, unsigned long low, unsigned long high, unsigned short field);

// Partitions positions low..high (low < high) around the record in the
// middle position (PivotPartition). Answers the split position s,
// low <= s < high: positions low..s hold keys no greater than those of
// s + 1..high.
unsigned long ZIBSortPartition(ABookRecord** index, unsigned long low, unsigned long high,
							   unsigned short field);

// Negative, zero or positive as the field text of *a sorts before, equal to
// or after that of *b: strcmp of the texts with A-Z turned to lower case.
int RecordCompare(ABookRecord* const* a, ABookRecord* const* b, unsigned short field);

#endif // ZIBQSORT_H
