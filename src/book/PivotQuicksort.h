#ifndef PIVOT_QUICKSORT_H
#define PIVOT_QUICKSORT_H

#include <utility>

// The quicksort behind SortBook, for an array of any entries: compare(a, b)
// answers a negative, zero or positive int as a sorts before, equal to or
// after b. Only the sign of each comparison decides where entries go, so
// two arrays whose comparisons agree end up in the same order.

// Partitions positions low..high (low < high) around the entry in the
// middle position, following that entry as it is swapped: the entry compared
// against is always the one at p at that moment. Answers the split s,
// low <= s < high, with no entry of low..s after one of s + 1..high.
template <typename Entry, typename Compare>
unsigned long
PivotPartition(Entry* index, unsigned long low, unsigned long high, Compare compare)
{
	// The unsigned positions may step to low - 1 (wrapping) and come back.
	unsigned long p = low + (high - low) / 2;
	unsigned long i = low - 1;
	unsigned long j = high + 1;
	for (;;) {
		do
			j--;
		while (compare(index[j], index[p]) > 0);
		do
			i++;
		while (compare(index[i], index[p]) < 0);
		if (i >= j)
			break;
		if (i > p)
			p = i;
		if (j < p)
			p = j;
		std::swap(index[i], index[j]);
		if (i == p) {
			p = j;
			j++;
		} else if (j == p) {
			p = i;
			i--;
		}
	}
	return p == high ? p - 1 : p;
}

// Sorts positions low..high inclusive. Recurses into the smaller part and
// loops over the larger, so the stack stays O(log n).
template <typename Entry, typename Compare>
void
PivotQuicksort(Entry* index, unsigned long low, unsigned long high, Compare compare)
{
	while (low < high) {
		unsigned long split = PivotPartition(index, low, high, compare);
		if (split - low < high - split) {
			PivotQuicksort(index, low, split, compare);
			low = split + 1;
		} else {
			PivotQuicksort(index, split + 1, high, compare);
			high = split;
		}
	}
}

#endif // PIVOT_QUICKSORT_H
