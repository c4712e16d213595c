#include "Rect.h"

#include <algorithm>
#include <cmath>

void
BRect::Set(float l, float t, float r, float b)
{
	left = l;
	top = t;
	right = r;
	bottom = b;
}

int32
BRect::IntegerWidth() const
{
	return static_cast<int32>(std::ceil(right - left));
}

int32
BRect::IntegerHeight() const
{
	return static_cast<int32>(std::ceil(bottom - top));
}

void
BRect::OffsetBy(float dx, float dy)
{
	left += dx;
	right += dx;
	top += dy;
	bottom += dy;
}

void
BRect::OffsetTo(float x, float y)
{
	OffsetBy(x - left, y - top);
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
	BRect copy = *this;
	copy.OffsetTo(x, y);
	return copy;
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

bool
BRect::Contains(const BRect& rect) const
{
	return rect.IsValid() && Contains(rect.LeftTop()) && Contains(rect.RightBottom());
}

bool
BRect::Intersects(const BRect& rect) const
{
	return IsValid() && rect.IsValid() && (*this & rect).IsValid();
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
