#ifndef GUI_TEST_H
#define GUI_TEST_H

#include <functional>

#include <QImage>

class BView;

// Driving the GUI thread from a test.
namespace gui_test {

// Runs the GUI thread's pending events until condition holds (true) or
// a generous time-out passes (false).
bool process_until(const std::function<bool()>& condition);
// Runs the pending events once.
void process_events();
// The view's pixels, with its children, as Draw() paints them.
QImage render(BView* view);

} // namespace gui_test

#endif // GUI_TEST_H
