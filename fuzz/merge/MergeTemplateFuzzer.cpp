// Reads any bytes as a mail-merge template: a template is either refused
// with a message or merges every record; a merge keeps the text outside the
// placeholders and puts no more than the fields in.

#include <stdio.h>
#include <stdlib.h>

#include <cstdint>
#include <string>

#include "ABookRecord.h"
#include "MergeTemplate.h"

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	std::string text(reinterpret_cast<const char*>(data), size);
	MergeTemplate merge(text);
	ABookRecord empty;
	ABookRecord full;
	for (int field = 0; field < kFieldCount; field++)
		full.SetField(field, "0123456789012345678901234567890123456789");
	if (!merge.Error().empty())
		return 0;
	std::string bare = merge.Merge(&empty);
	std::string filled = merge.Merge(&full);
	// Placeholders hold at least two bytes and stand for at most 40.
	if (bare.size() > text.size() || filled.size() > bare.size() + 20 * text.size()) {
		fprintf(stderr, "broken: merged text of a wrong length\n");
		abort();
	}
	return 0;
}
