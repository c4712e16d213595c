#include "GuiLooperRunner.h"

#include <atomic>
#include <memory>
#include <utility>
#include <vector>

#include <QCoreApplication>
#include <QMetaObject>

#include <LooperPrivate.h>

#include "GuiEventLoop.h"

namespace BPrivate {

namespace {

struct RunnerState {
	BLooper* looper;
	std::weak_ptr<MessagePort> port;
	std::atomic<bool> scheduled{false};
};

void schedule(const std::shared_ptr<RunnerState>& state);

// Whether a handler is running on the GUI thread, and the loopers whose
// wake-ups came while it ran (an alert's nested event loop): they wait
// until it returns, so no handler ever runs inside another one.
bool sDispatching = false;
std::vector<std::shared_ptr<RunnerState>> sDeferred;

void
drain(const std::shared_ptr<RunnerState>& state)
{
	state->scheduled = false;
	std::shared_ptr<MessagePort> port = state->port.lock();
	// The looper may have quit since the wake-up was queued.
	if (port == nullptr || port->Looper() != state->looper)
		return;
	if (sDispatching) {
		sDeferred.push_back(state);
		return;
	}
	sDispatching = true;
	LooperPrivate dispatcher(state->looper);
	while (dispatcher.DispatchNextMessage(0) == B_OK) {
	}
	sDispatching = false;
	for (const std::shared_ptr<RunnerState>& deferred : std::exchange(sDeferred, {}))
		schedule(deferred);
}

void
schedule(const std::shared_ptr<RunnerState>& state)
{
	QCoreApplication* application = QCoreApplication::instance();
	if (application == nullptr || state->scheduled.exchange(true))
		return;
	QMetaObject::invokeMethod(
		application, [state] { drain(state); }, Qt::QueuedConnection);
}

} // namespace

thread_id
GuiLooperRunner::Start(BLooper* looper)
{
	thread_id thread = GuiEventLoop::GuiThread();
	if (thread < 0)
		return B_NO_INIT;
	auto state = std::make_shared<RunnerState>();
	state->looper = looper;
	std::shared_ptr<MessagePort> port = LooperPrivate(looper).Port();
	state->port = port;
	port->SetWakeHook([state] { schedule(state); });
	// Messages queued before Run() need a wake-up of their own.
	schedule(state);
	return thread;
}

} // namespace BPrivate
