#include "Application.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <utility>

#include <AppDefs.h>
#include <Message.h>

#include "ApplicationPrivate.h"
#include "LooperPrivate.h"
#include "LooperRunner.h"
#include "TeamPort.h"

BApplication* be_app = nullptr;

// Wakes a plain loop so that it sees the quit flag.
static const uint32 kWakeMessage = '_AWK';

namespace {

std::unique_ptr<BPrivate::EventLoop> sEventLoop;

// The launch arguments, alive as long as the process: the event loop keeps
// pointers into them.
struct LaunchArguments {
	std::vector<std::string> strings;
	std::vector<char*> argv;
	int argc = 0;
	bool overridden = false;
};

LaunchArguments sLaunch;

std::mutex sWindowLock;
std::vector<std::pair<BWindow*, BLooper*>> sWindows; // guarded by sWindowLock

std::vector<std::string>
process_arguments()
{
	std::ifstream file("/proc/self/cmdline", std::ios::binary);
	std::string all((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
	std::vector<std::string> arguments;
	size_t start = 0;
	while (start < all.size()) {
		size_t end = all.find('\0', start);
		if (end == std::string::npos)
			end = all.size();
		arguments.push_back(all.substr(start, end - start));
		start = end + 1;
	}
	return arguments;
}

void
prepare_launch_arguments()
{
	if (!sLaunch.overridden)
		sLaunch.strings = process_arguments();
	sLaunch.argv.clear();
	for (std::string& argument : sLaunch.strings)
		sLaunch.argv.push_back(argument.data());
	sLaunch.argc = static_cast<int>(sLaunch.argv.size());
	sLaunch.argv.push_back(nullptr);
}

// Dispatches the looper on the thread that calls Run().
class CallingThreadRunner : public BPrivate::LooperRunner {
public:
	thread_id Start(BLooper*) override { return find_thread(nullptr); }
};

} // namespace

namespace BPrivate {

void
install_event_loop(std::unique_ptr<EventLoop> loop)
{
	sEventLoop = std::move(loop);
}

EventLoop*
event_loop()
{
	return sEventLoop.get();
}

void
set_launch_arguments(const std::vector<std::string>& arguments)
{
	sLaunch.strings = arguments;
	sLaunch.overridden = true;
}

void
register_window(BWindow* window, BLooper* looper)
{
	std::lock_guard<std::mutex> lock(sWindowLock);
	sWindows.emplace_back(window, looper);
}

void
unregister_window(BWindow* window)
{
	std::lock_guard<std::mutex> lock(sWindowLock);
	std::erase_if(sWindows, [window](const auto& entry) { return entry.first == window; });
}

} // namespace BPrivate

app_info::app_info() : thread(-1), team(-1), port(-1), flags(B_MULTIPLE_LAUNCH), signature()
{
}

BApplication::BApplication(const char* signature)
	: BLooper("application"), fSignature(signature != nullptr ? signature : ""), fQuitting(false),
	  fRunning(false)
{
	be_app = this;
	be_app_messenger = BMessenger(this);
	prepare_launch_arguments();
	if (BPrivate::EventLoop* loop = BPrivate::event_loop())
		loop->Initialize(&sLaunch.argc, sLaunch.argv.data());
}

BApplication::~BApplication()
{
	if (BPrivate::EventLoop* loop = BPrivate::event_loop())
		loop->Finish();
	if (be_app == this) {
		be_app = nullptr;
		be_app_messenger = BMessenger();
	}
}

thread_id
BApplication::Run()
{
	BPrivate::EventLoop* loop = BPrivate::event_loop();
	try {
		if (loop != nullptr)
			BPrivate::LooperPrivate(this).SetRunner(loop->CreateRunner());
		else
			BPrivate::LooperPrivate(this).SetRunner(std::make_unique<CallingThreadRunner>());
	} catch (const std::bad_alloc&) {
		return B_NO_MEMORY;
	}
	_PostLaunchMessages();
	fRunning = true;
	thread_id thread = BLooper::Run();
	if (thread < 0)
		return thread;
	// Other programs reach the application through its port. Without one it
	// still runs for the user, so a failure is dropped here.
	if (BPrivate::publish_team_port(fSignature, this) != B_OK)
		fprintf(stderr, "%s: other programs cannot reach this application\n", fSignature);
	if (loop != nullptr) {
		loop->Run();
	} else {
		BPrivate::LooperPrivate dispatcher(this);
		while (!fQuitting && dispatcher.DispatchNextMessage(B_INFINITE_TIMEOUT) == B_OK) {
		}
	}
	BPrivate::unpublish_team_port();
	fRunning = false;
	return thread;
}

void
BApplication::Quit()
{
	if (!fRunning) {
		// A loop that never ran has nothing to end; the creator deletes it.
		fQuitting = true;
		return;
	}
	fQuitting = true;
	if (BPrivate::EventLoop* loop = BPrivate::event_loop())
		loop->Stop();
	else if (find_thread(nullptr) != Thread())
		PostMessage(kWakeMessage);
}

bool
BApplication::QuitRequested()
{
	std::vector<std::pair<BWindow*, BLooper*>> windows;
	{
		std::lock_guard<std::mutex> lock(sWindowLock);
		windows = sWindows;
	}
	for (const auto& [window, looper] : windows) {
		// Quitting one window may have closed others (a window's dialogs).
		{
			std::lock_guard<std::mutex> lock(sWindowLock);
			if (std::find(sWindows.begin(), sWindows.end(), std::make_pair(window, looper))
				== sWindows.end())
				continue;
		}
		if (!looper->Lock())
			continue;
		if (!looper->QuitRequested()) {
			looper->Unlock();
			return false;
		}
		looper->Quit();
	}
	return true;
}

void
BApplication::ReadyToRun()
{
}

void
BApplication::RefsReceived(BMessage*)
{
}

void
BApplication::ArgvReceived(int32, char**)
{
}

void
BApplication::AppActivated(bool)
{
}

void
BApplication::MessageReceived(BMessage* message)
{
	BLooper::MessageReceived(message);
}

void
BApplication::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (handler != this) {
		BLooper::DispatchMessage(message, handler);
		return;
	}
	switch (message->what) {
		case kWakeMessage:
			break;
		case B_READY_TO_RUN:
			ReadyToRun();
			break;
		case B_REFS_RECEIVED:
			RefsReceived(message);
			break;
		case B_ARGV_RECEIVED:
			_DispatchArgv(message);
			break;
		case B_APP_ACTIVATED: {
			bool active = false;
			message->FindBool("active", &active);
			AppActivated(active);
			break;
		}
		default:
			BLooper::DispatchMessage(message, handler);
			break;
	}
}

int32
BApplication::CountWindows() const
{
	std::lock_guard<std::mutex> lock(sWindowLock);
	return static_cast<int32>(sWindows.size());
}

BWindow*
BApplication::WindowAt(int32 index) const
{
	std::lock_guard<std::mutex> lock(sWindowLock);
	if (index < 0 || index >= static_cast<int32>(sWindows.size()))
		return nullptr;
	return sWindows[index].first;
}

status_t
BApplication::GetAppInfo(app_info* info) const
{
	if (info == nullptr)
		return B_BAD_VALUE;
	char path[PATH_MAX];
	ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
	if (length < 0)
		return B_ERROR;
	path[length] = '\0';
	status_t status = get_ref_for_path(path, &info->ref);
	if (status != B_OK)
		return status;
	info->thread = Thread();
	info->team = Team();
	info->port = BPrivate::LooperPrivate(const_cast<BApplication*>(this)).Port()->ID();
	info->flags = B_MULTIPLE_LAUNCH;
	snprintf(info->signature, sizeof(info->signature), "%s", fSignature);
	return B_OK;
}

void
BApplication::_PostLaunchMessages()
{
	BMessage refs(B_REFS_RECEIVED);
	BMessage argv(B_ARGV_RECEIVED);
	int32 argc = 0;
	bool haveRefs = false;
	for (size_t i = 0; i < sLaunch.strings.size(); i++) {
		const char* argument = sLaunch.strings[i].c_str();
		struct stat info;
		entry_ref ref;
		if (i > 0 && stat(argument, &info) == 0 && get_ref_for_path(argument, &ref) == B_OK) {
			refs.AddRef("refs", &ref);
			haveRefs = true;
			continue;
		}
		argv.AddString("argv", argument);
		argc++;
	}
	if (haveRefs)
		PostMessage(&refs);
	if (argc > 1) {
		argv.AddInt32("argc", argc);
		char cwd[PATH_MAX];
		if (getcwd(cwd, sizeof(cwd)) != nullptr)
			argv.AddString("cwd", cwd);
		PostMessage(&argv);
	}
	PostMessage(B_READY_TO_RUN);
}

void
BApplication::_DispatchArgv(BMessage* message)
{
	std::vector<std::string> strings;
	const char* argument;
	for (int32 i = 0; message->FindString("argv", i, &argument) == B_OK; i++)
		strings.emplace_back(argument);
	std::vector<char*> argv;
	for (std::string& string : strings)
		argv.push_back(string.data());
	argv.push_back(nullptr);
	ArgvReceived(static_cast<int32>(strings.size()), argv.data());
}
