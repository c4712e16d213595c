#ifndef APPLICATION_PRIVATE_H
#define APPLICATION_PRIVATE_H

#include <SupportDefs.h>

#include <memory>
#include <string>
#include <vector>

class BLooper;
class BWindow;

namespace BPrivate {

class LooperRunner;

// The event loop BApplication runs when a GUI kit is linked. The kit
// installs one before main() runs; without it Run() dispatches on the
// calling thread alone.
class EventLoop {
public:
	virtual ~EventLoop() = default;

	// Called by the BApplication constructor with the launch arguments,
	// which stay valid until the application is deleted.
	virtual void Initialize(int* argc, char** argv) = 0;
	// A runner that dispatches a looper on the event loop's thread.
	virtual std::unique_ptr<LooperRunner> CreateRunner() = 0;
	// Runs until Stop(); on the thread that called Initialize().
	virtual void Run() = 0;
	// Ends Run(); thread-safe.
	virtual void Stop() = 0;
	// Called by the BApplication destructor: ends what Initialize()
	// started, while the libraries it uses are still there.
	virtual void Finish() = 0;
};

// Adopts loop; the previous one is deleted.
void install_event_loop(std::unique_ptr<EventLoop> loop);
EventLoop* event_loop();

// The arguments the next BApplication takes for its launch instead of
// those of the process (/proc/self/cmdline). Call before constructing it.
void set_launch_arguments(const std::vector<std::string>& arguments);

// The window list of be_app; thread-safe. The interface kit registers every
// BWindow with its looper (the same object) from its constructor and
// unregisters it from its destructor.
void register_window(BWindow* window, BLooper* looper);
void unregister_window(BWindow* window);

} // namespace BPrivate

#endif // APPLICATION_PRIVATE_H
