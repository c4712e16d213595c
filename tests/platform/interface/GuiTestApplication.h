#ifndef GUI_TEST_APPLICATION_H
#define GUI_TEST_APPLICATION_H

#include <functional>
#include <vector>

#include <QImage>

#include <Message.h>
#include <Window.h>

class BView;

// The test executable's one BApplication, created before the first test.
namespace gui_test {

// Runs the GUI thread's pending events until condition holds (true) or
// a generous time-out passes (false).
bool process_until(const std::function<bool()>& condition);
// Runs the pending events once.
void process_events();
// The view's pixels as its Draw() paints them.
QImage render(BView* view);

// A shown window that keeps a copy of every message it gets.
class RecordingWindow : public BWindow {
public:
	explicit RecordingWindow(BRect frame) : BWindow(frame, "recording", B_TITLED_WINDOW, 0) {}

	void MessageReceived(BMessage* message) override { fReceived.emplace_back(*message); }

	std::vector<BMessage> fReceived;
};

} // namespace gui_test

#endif // GUI_TEST_APPLICATION_H
