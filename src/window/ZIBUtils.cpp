#include "ZIBUtils.h"

#include <Screen.h>

BRect
CenterWindowOnScreen(BRect frame)
{
	BRect screen = BScreen(B_MAIN_SCREEN_ID).Frame();
	// Whole pixels, halves rounded toward zero.
	long screenWidth = static_cast<long>(screen.right) - static_cast<long>(screen.left);
	long screenHeight = static_cast<long>(screen.bottom) - static_cast<long>(screen.top);
	long width = static_cast<long>(frame.right) - static_cast<long>(frame.left);
	long height = static_cast<long>(frame.bottom) - static_cast<long>(frame.top);
	long top = screenHeight / 2 - height / 2;
	long left = screenWidth / 2 - width / 2;
	return BRect(left, top, left + width, top + height);
}

void
memcpy_no_tabs(char* dest, const char* src, long count)
{
	for (long i = 0; i < count && src[i] != '\t'; i++)
		dest[i] = src[i];
}
