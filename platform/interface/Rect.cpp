#include "Rect.h"

#include <algorithm>
#include <cmath>

int32
BRect::IntegerWidth() const
{
	return static_cast<int32>(std::ceil(right - left));
}

void
BRect::OffsetBy(float dx, float dy)
{
	left += dx;
	right += dx;
	top += dy;
	bottom += dy;
}

BRect
BRect::OffsetByCopy(float dx, float dy) const
{
	BRect copy = *this;
	copy.OffsetBy(dx, dy);
	return copy;
}

BRect
BRect::OffsetToCopy(float x, float y) const
{
	return OffsetByCopy(x - left, y - top);
}

void
BRect::InsetBy(float dx, float dy)
{
	left += dx;
	right -= dx;
	top += dy;
	bottom -= dy;
}

BRect
BRect::InsetByCopy(float dx, float dy) const
{
	BRect copy = *this;
	copy.InsetBy(dx, dy);
	return copy;
}

bool
BRect::Contains(BPoint point) const
{
	return point.x >= left && point.x <= right && point.y >= top && point.y <= bottom;
}

BRect
BRect::operator&(const BRect& other) const
{
	return BRect(std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
				 std::min(bottom, other.bottom));
}

BRect
BRect::operator|(const BRect& other) const
{
	return BRect(std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
				 std::max(bottom, other.bottom));
}

bool
BRect::operator==(const BRect& other) const
{
	return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
}
