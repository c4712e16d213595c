#ifndef WINDOW_GRAB_H
#define WINDOW_GRAB_H

#include <SupportDefs.h>

class BWindow;

namespace BPrivate {

// Renders the content of window (every view, the menu bar included, as
// the screen would show it, whether or not the window is shown) into a
// PNG file at path, which is replaced. Call it on the GUI thread, with the
// window locked. Answers B_OK; B_BAD_VALUE for a null argument or a window
// without pixels; B_IO_ERROR when the file cannot be written.
status_t grab_window(BWindow* window, const char* path);

} // namespace BPrivate

#endif // WINDOW_GRAB_H
