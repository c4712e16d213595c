#ifndef ZIBTECHWINDOW_H
#define ZIBTECHWINDOW_H

#include <string>

#include "ZIBInfoWindow.h"

// The instructions and tech-support window: a short support note and a
// button to the support web page.
class ZIBTechWindow : public ZIBInfoWindow {
public:
	ZIBTechWindow();

	// The support page: "support/" under the project's web page.
	static std::string SupportWebPage();

private:
	void BuildTechText();
};

#endif // ZIBTECHWINDOW_H
