#ifndef FUZZ_CHECK_H
#define FUZZ_CHECK_H

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <utility>

// Stops the fuzz target with what broke, so the fuzzer keeps the input.
inline void
Check(bool condition, const char* what)
{
	if (!condition) {
		fprintf(stderr, "broken: %s\n", what);
		abort();
	}
}

// The input up to its first line feed, and what follows it.
inline std::pair<std::string_view, std::string_view>
SplitAtLineFeed(const uint8_t* data, size_t size)
{
	std::string_view input(reinterpret_cast<const char*>(data), size);
	size_t split = input.find('\n');
	return {input.substr(0, split),
			split == std::string_view::npos ? std::string_view() : input.substr(split + 1)};
}

#endif // FUZZ_CHECK_H
