#ifndef GUI_LOOPER_RUNNER_H
#define GUI_LOOPER_RUNNER_H

#include <LooperRunner.h>

namespace BPrivate {

// Runs a looper on Qt's GUI thread: each message queued wakes the GUI
// thread (a queued call), which dispatches until the queue is empty. A
// looper's messages wait in its queue while a handler of any GUI looper runs
// a nested event loop (an alert), and are dispatched once it returns.
class GuiLooperRunner : public LooperRunner {
public:
	thread_id Start(BLooper* looper) override;
};

} // namespace BPrivate

#endif // GUI_LOOPER_RUNNER_H
