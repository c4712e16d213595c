#ifndef SCREEN_H
#define SCREEN_H

#include <Rect.h>

class BWindow;

struct screen_id {
	int32 id;
};

const screen_id B_MAIN_SCREEN_ID = {0};

// A display. Frame() is its area in screen coordinates (inclusive, as
// every BRect); invalid when there is no such screen. GUI thread only.
class BScreen {
public:
	explicit BScreen(screen_id id = B_MAIN_SCREEN_ID);
	// The screen that shows most of window.
	explicit BScreen(BWindow* window);

	bool IsValid() const { return fFrame.IsValid(); }
	BRect Frame() const { return fFrame; }

private:
	BRect fFrame;
};

#endif // SCREEN_H
