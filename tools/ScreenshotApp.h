#ifndef SCREENSHOT_APP_H
#define SCREENSHOT_APP_H

#include <string>

#include "ZIBapp.h"

// The application as users start it, with one addition: once start-up has
// opened its window, the window is written to a PNG file and the
// application quits. The exit status comes from Status().
class ScreenshotApp : public ZIBapp {
public:
	explicit ScreenshotApp(const char* outputPath);

	void ReadyToRun() override;
	void MessageReceived(BMessage* message) override;

	status_t Status() const { return fStatus; }

private:
	void _Grab();

	std::string fOutputPath;
	int32 fPassesLeft;
	status_t fStatus;
};

#endif // SCREENSHOT_APP_H
