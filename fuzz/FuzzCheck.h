#ifndef FUZZ_CHECK_H
#define FUZZ_CHECK_H

#include <cstdio>
#include <cstdlib>

// Stops the fuzz target with what broke, so the fuzzer keeps the input.
inline void
Check(bool condition, const char* what)
{
	if (!condition) {
		fprintf(stderr, "broken: %s\n", what);
		abort();
	}
}

#endif // FUZZ_CHECK_H
