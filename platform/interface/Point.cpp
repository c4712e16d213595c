#include "Point.h"

BPoint&
BPoint::operator+=(const BPoint& other)
{
	x += other.x;
	y += other.y;
	return *this;
}

BPoint&
BPoint::operator-=(const BPoint& other)
{
	x -= other.x;
	y -= other.y;
	return *this;
}
