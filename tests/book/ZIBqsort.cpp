#include "ZIBqsort.h"

#include <SupportDefs.h>

#include "ABookRecord.h"
#include "AsciiCase.h"
#include "BookConstants.h"
#include "PivotQuicksort.h"

namespace {

// RecordCompare as the partition tests it: a signed 16-bit value.
struct FieldCompare {
	unsigned short field;

	int operator()(ABookRecord* const& a, ABookRecord* const& b) const
	{
		return static_cast<int16>(RecordCompare(&a, &b, field));
	}
};

} // namespace

int
RecordCompare(ABookRecord* const* a, ABookRecord* const* b, unsigned short field)
{
	const unsigned char* left = reinterpret_cast<const unsigned char*>((*a)->Field(field));
	const unsigned char* right = reinterpret_cast<const unsigned char*>((*b)->Field(field));
	for (;; left++, right++) {
		int difference = ToLowerAscii(*left) - ToLowerAscii(*right);
		if (difference != 0 || *left == '\0')
			return difference;
	}
}

unsigned long
ZIBSortPartition(ABookRecord** index, unsigned long low, unsigned long high, unsigned short field)
{
	return PivotPartition(index, low, high, FieldCompare{field});
}

void
ZIBQsort(ABookRecord** index, unsigned long low, unsigned long high, unsigned short field)
{
	if (field < kFieldCount)
		PivotQuicksort(index, low, high, FieldCompare{field});
}
