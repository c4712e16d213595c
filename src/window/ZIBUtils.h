#ifndef ZIBUTILS_H
#define ZIBUTILS_H

#include <Rect.h>

// frame moved to the middle of the main screen, same size; every
// coordinate is whole. GUI thread only.
BRect CenterWindowOnScreen(BRect frame);

// Copies count bytes of src to dest, stopping early at the first tab: the
// tab and what follows it are not copied and the rest of dest keeps what it
// held. Adds no terminator; src must hold count bytes unless a tab comes
// first.
void memcpy_no_tabs(char* dest, const char* src, long count);

#endif // ZIBUTILS_H
