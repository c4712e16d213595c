#ifndef MENU_BAR_H
#define MENU_BAR_H

#include <Menu.h>

// The row of menus at the top of a window. It becomes its window's key
// menu bar (for Command-key shortcuts) when the window has none. It is
// drawn by the desktop style, inside the window (never a global menu), so
// its shortcuts work in every desktop session.
class BMenuBar : public BMenu {
public:
	// With resizeToFit the height is the desktop's menu bar height.
	BMenuBar(BRect frame, const char* name,
			 uint32 resizingMode = B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP,
			 menu_layout layout = B_ITEMS_IN_ROW, bool resizeToFit = true);
	~BMenuBar() override;

	void AttachedToWindow() override;
};

#endif // MENU_BAR_H
