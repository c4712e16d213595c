// zib-screenshot: opens an address book in the application's main window,
// as a user's launch would, and writes that window to a PNG file. Run it
// with QT_QPA_PLATFORM=offscreen and a settings home of its own
// (scripts/make-screenshot does both).

#include <stdio.h>

#include <string>
#include <vector>

#include <ApplicationPrivate.h>
#include <Node.h>
#include <TypeConstants.h>

#include "BookConstants.h"
#include "ScreenshotApp.h"
#include "ZIBFiles.h"

// Where the window stands and how large it is: wide enough for several
// columns, tall enough for every record of the sample.
static const ZIBFrame kFrame = {40, 40, 939, 379};

int
main(int argc, char** argv)
{
	if (argc != 3) {
		fprintf(stderr, "usage: zib-screenshot BOOK OUTPUT.png\n");
		return 2;
	}
	// The frame is stored on the book, where the application looks for it.
	BNode book(argv[1]);
	if (book.InitCheck() != B_OK ||
		book.WriteAttr(kFrameAttribute, B_RECT_TYPE, 0, &kFrame, sizeof(kFrame)) !=
			static_cast<ssize_t>(sizeof(kFrame))) {
		fprintf(stderr, "zib-screenshot: cannot store the window frame on %s\n", argv[1]);
		return 1;
	}
	BPrivate::set_launch_arguments(std::vector<std::string>{argv[0], argv[1]});
	auto* application = new ScreenshotApp(argv[2]);
	application->Run();
	status_t status = application->Status();
	delete application;
	return status == B_OK ? 0 : 1;
}
