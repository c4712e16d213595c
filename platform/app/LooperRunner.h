#ifndef LOOPER_RUNNER_H
#define LOOPER_RUNNER_H

#include <SupportDefs.h>

class BLooper;

namespace BPrivate {

// What drives a looper once it is Run(): it waits for the looper's messages
// and hands each to LooperPrivate::DispatchNextMessage() on the thread it
// answers from Start(). The default, LooperThread, gives the looper a thread
// of its own; a runner on an existing event loop registers a wake hook on
// the looper's port and dispatches from that loop.
class LooperRunner {
public:
	virtual ~LooperRunner() = default;

	// Called once, by Run(), with the looper locked by the caller. Answers
	// the id of the thread that will dispatch, or an error status.
	virtual thread_id Start(BLooper* looper) = 0;
};

} // namespace BPrivate

#endif // LOOPER_RUNNER_H
