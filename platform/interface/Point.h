#ifndef POINT_H
#define POINT_H

#include <SupportDefs.h>

// A point in a view's coordinate system: x grows right, y grows down.
class BPoint {
public:
	constexpr BPoint() : x(0), y(0) {}
	constexpr BPoint(float x, float y) : x(x), y(y) {}

	void Set(float newX, float newY)
	{
		x = newX;
		y = newY;
	}

	BPoint operator+(const BPoint& other) const { return BPoint(x + other.x, y + other.y); }
	BPoint operator-(const BPoint& other) const { return BPoint(x - other.x, y - other.y); }
	BPoint& operator+=(const BPoint& other);
	BPoint& operator-=(const BPoint& other);
	bool operator==(const BPoint& other) const { return x == other.x && y == other.y; }
	bool operator!=(const BPoint& other) const { return !(*this == other); }

	float x;
	float y;
};

const BPoint B_ORIGIN(0, 0);

#endif // POINT_H
