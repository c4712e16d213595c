#ifndef GRAPHICS_DEFS_H
#define GRAPHICS_DEFS_H

#include <SupportDefs.h>

// An 8x8 pixel pattern, one byte per row, high bit leftmost: a set bit
// draws in the high colour, a clear bit in the low colour.
struct pattern {
	uint8 data[8];
};

const pattern B_SOLID_HIGH = {{0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff}};
const pattern B_MIXED_COLORS = {{0xaa, 0x55, 0xaa, 0x55, 0xaa, 0x55, 0xaa, 0x55}};
const pattern B_SOLID_LOW = {{0, 0, 0, 0, 0, 0, 0, 0}};

struct rgb_color {
	uint8 red;
	uint8 green;
	uint8 blue;
	uint8 alpha;

	bool operator==(const rgb_color& other) const
	{
		return red == other.red && green == other.green && blue == other.blue &&
			   alpha == other.alpha;
	}
	bool operator!=(const rgb_color& other) const { return !(*this == other); }
};

// A view colour that leaves the parent's pixels showing.
const rgb_color B_TRANSPARENT_COLOR = {0x77, 0x74, 0x77, 0x00};

#endif // GRAPHICS_DEFS_H
