#ifndef GUI_TEST_APPLICATION_H
#define GUI_TEST_APPLICATION_H

#include <vector>

#include <Message.h>
#include <Window.h>

#include "GuiTest.h"

// The test executable's one BApplication is created before the first test.
namespace gui_test {

// A shown window that keeps a copy of every message it gets.
class RecordingWindow : public BWindow {
public:
	explicit RecordingWindow(BRect frame) : BWindow(frame, "recording", B_TITLED_WINDOW, 0) {}

	void MessageReceived(BMessage* message) override { fReceived.emplace_back(*message); }

	std::vector<BMessage> fReceived;
};

} // namespace gui_test

#endif // GUI_TEST_APPLICATION_H
