#ifndef ZIBABOUTWINDOW_H
#define ZIBABOUTWINDOW_H

#include "ZIBInfoWindow.h"

// The About window: the version note and a button to the project's web
// page.
class ZIBAboutWindow : public ZIBInfoWindow {
public:
	ZIBAboutWindow();

private:
	void BuildAboutText();
};

#endif // ZIBABOUTWINDOW_H
