#ifndef LOOPER_PRIVATE_H
#define LOOPER_PRIVATE_H

#include <Looper.h>

#include <memory>

#include "LooperRunner.h"
#include "MessagePort.h"

namespace BPrivate {

// Access to a looper's port and dispatch step for runners and for the kits
// that give a looper another runner. Holds a pointer to the looper.
class LooperPrivate {
public:
	explicit LooperPrivate(BLooper* looper) : fLooper(looper) {}

	const std::shared_ptr<MessagePort>& Port() const { return fLooper->fPort; }

	// Replaces the runner Run() starts; before Run() only, with the looper
	// locked. Adopts runner.
	void SetRunner(std::unique_ptr<LooperRunner> runner) { fLooper->fRunner = std::move(runner); }

	// Takes the next message from the port (waiting as MessagePort::Read())
	// and dispatches it with the looper locked. Call on the runner's thread.
	// B_OK: one message was handled. B_WOULD_BLOCK, B_TIMED_OUT: none came.
	// B_BAD_PORT_ID: the looper has quit and is deleted; do not touch it.
	status_t DispatchNextMessage(bigtime_t timeout)
	{
		return fLooper->_DispatchNextMessage(timeout);
	}

private:
	BLooper* fLooper;
};

} // namespace BPrivate

#endif // LOOPER_PRIVATE_H
