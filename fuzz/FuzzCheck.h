#ifndef FUZZ_CHECK_H
#define FUZZ_CHECK_H

#include <stdio.h>
#include <stdlib.h>

// Stops the fuzzer with what broke when condition does not hold.
inline void
Check(bool condition, const char* what)
{
	if (!condition) {
		fprintf(stderr, "broken: %s\n", what);
		abort();
	}
}

#endif // FUZZ_CHECK_H
