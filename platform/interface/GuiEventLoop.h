#ifndef GUI_EVENT_LOOP_H
#define GUI_EVENT_LOOP_H

#include <memory>

#include <ApplicationPrivate.h>
#include <OS.h>

class QApplication;

namespace BPrivate {

// BApplication's event loop once the interface kit is linked: the Qt
// application. Initialize() creates it and installs the desktop clipboard;
// every looper it runs (the application's and each window's) dispatches on
// Qt's GUI thread.
class GuiEventLoop : public EventLoop {
public:
	GuiEventLoop();
	~GuiEventLoop() override;

	void Initialize(int* argc, char** argv) override;
	std::unique_ptr<LooperRunner> CreateRunner() override;
	void Run() override;
	void Stop() override;
	// Deletes the Qt application if Initialize() made it.
	void Finish() override;

	// The thread of the Qt application; -1 before Initialize().
	static thread_id GuiThread();

private:
	std::unique_ptr<QApplication> fApplication;
};

} // namespace BPrivate

#endif // GUI_EVENT_LOOP_H
