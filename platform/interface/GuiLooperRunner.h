#ifndef GUI_LOOPER_RUNNER_H
#define GUI_LOOPER_RUNNER_H

#include <LooperRunner.h>

namespace BPrivate {

// Runs a looper on Qt's GUI thread: each message queued wakes the GUI
// thread (a queued call), which dispatches until the queue is empty.
class GuiLooperRunner : public LooperRunner {
public:
	thread_id Start(BLooper* looper) override;
};

} // namespace BPrivate

#endif // GUI_LOOPER_RUNNER_H
