#ifndef RECT_H
#define RECT_H

#include <Point.h>
#include <SupportDefs.h>

// A rectangle whose edges are pixel coordinates: it covers the pixels left
// to right and top to bottom inclusive, so it is Width() + 1 pixels wide.
// The default rectangle is invalid (left > right).
class BRect {
public:
	constexpr BRect() : left(0), top(0), right(-1), bottom(-1) {}
	constexpr BRect(float l, float t, float r, float b) : left(l), top(t), right(r), bottom(b) {}
	constexpr BRect(BPoint leftTop, BPoint rightBottom)
		: left(leftTop.x), top(leftTop.y), right(rightBottom.x), bottom(rightBottom.y)
	{
	}

	BPoint LeftTop() const { return BPoint(left, top); }
	BPoint RightBottom() const { return BPoint(right, bottom); }
	BPoint LeftBottom() const { return BPoint(left, bottom); }
	BPoint RightTop() const { return BPoint(right, top); }

	float Width() const { return right - left; }
	float Height() const { return bottom - top; }
	int32 IntegerWidth() const;
	bool IsValid() const { return left <= right && top <= bottom; }

	void OffsetBy(float dx, float dy);
	BRect OffsetByCopy(float dx, float dy) const;
	BRect OffsetToCopy(float x, float y) const;
	// Moves each edge inward by dx, dy (outward when negative).
	void InsetBy(float dx, float dy);
	BRect InsetByCopy(float dx, float dy) const;

	bool Contains(BPoint point) const;
	// The common part; invalid when they do not meet.
	BRect operator&(const BRect& other) const;
	// The smallest rectangle holding both.
	BRect operator|(const BRect& other) const;
	bool operator==(const BRect& other) const;
	bool operator!=(const BRect& other) const { return !(*this == other); }

	float left;
	float top;
	float right;
	float bottom;
};

#endif // RECT_H
