#include "GuiEventLoop.h"

#include <atomic>

#include <QApplication>
#include <QGuiApplication>

#include <AppDefs.h>
#include <Application.h>
#include <Message.h>

#include "DesktopClipboard.h"
#include "GuiLooperRunner.h"

// Referenced through the linker option of platform_interface, so that a
// program that links the interface kit always runs the GUI event loop.
extern "C" {
int zib_interface_kit_anchor = 0;
}

namespace BPrivate {

static std::atomic<thread_id> sGuiThread{-1};

static const bool sInstalled = [] {
	install_event_loop(std::make_unique<GuiEventLoop>());
	return true;
}();

GuiEventLoop::GuiEventLoop() = default;

GuiEventLoop::~GuiEventLoop() = default;

void
GuiEventLoop::Initialize(int* argc, char** argv)
{
	if (QCoreApplication::instance() == nullptr)
		fApplication = std::make_unique<QApplication>(*argc, argv);
	sGuiThread = find_thread(nullptr);
	// Without the desktop clipboard be_clipboard stays in-process; that is
	// all a failure here costs.
	install_desktop_clipboard();
	QObject::connect(qApp, &QGuiApplication::applicationStateChanged, qApp,
					 [](Qt::ApplicationState state) {
						 BMessage message(B_APP_ACTIVATED);
						 message.AddBool("active", state == Qt::ApplicationActive);
						 be_app_messenger.SendMessage(&message);
					 });
}

std::unique_ptr<LooperRunner>
GuiEventLoop::CreateRunner()
{
	return std::make_unique<GuiLooperRunner>();
}

void
GuiEventLoop::Run()
{
	QApplication::exec();
}

void
GuiEventLoop::Stop()
{
	if (QCoreApplication* application = QCoreApplication::instance())
		QMetaObject::invokeMethod(
			application, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

void
GuiEventLoop::Finish()
{
	fApplication.reset();
}

thread_id
GuiEventLoop::GuiThread()
{
	return sGuiThread;
}

} // namespace BPrivate
