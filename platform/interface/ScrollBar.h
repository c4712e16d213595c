#ifndef SCROLL_BAR_H
#define SCROLL_BAR_H

#include <View.h>

#define B_V_SCROLL_BAR_WIDTH 14.0f
#define B_H_SCROLL_BAR_HEIGHT 14.0f

// A scroll bar over a target view: its value is the target's scroll
// position on one axis. Moving it scrolls the target; the target's
// ScrollTo() moves it.
class BScrollBar : public BView {
public:
	BScrollBar(BRect frame, const char* name, BView* target, float min, float max,
			   orientation direction);
	~BScrollBar() override;

	// Scrolls the target to value.
	virtual void ValueChanged(float newValue);

	// Clamped to the range.
	void SetValue(float value);
	float Value() const { return fValue; }
	void SetRange(float min, float max);
	void GetRange(float* min, float* max) const;
	void SetSteps(float smallStep, float largeStep);
	void GetSteps(float* smallStep, float* largeStep) const;
	// The visible part of the whole, 0 to 1.
	void SetProportion(float proportion);
	void SetTarget(BView* target);
	BView* Target() const { return fTarget; }
	orientation Orientation() const { return fOrientation; }

private:
	void _Update();

	BView* fTarget; // not owned
	orientation fOrientation;
	float fValue;
	float fMin;
	float fMax;
	float fSmallStep;
	float fLargeStep;
};

#endif // SCROLL_BAR_H
