#include "QuitSignalWatcher.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include <AppDefs.h>
#include <Looper.h>

namespace BPrivate {

namespace {

const int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
const char kQuit = 'q';
const char kStop = 's';

// The handler may only write to a pipe; the watcher thread does the rest.
int sPipe[2] = {-1, -1};
struct sigaction sPrevious[sizeof(kSignals) / sizeof(kSignals[0])];

void
handle_signal(int)
{
	int savedErrno = errno;
	ssize_t written = write(sPipe[1], &kQuit, 1);
	(void)written;
	errno = savedErrno;
}

} // namespace

QuitSignalWatcher::QuitSignalWatcher(BLooper* looper) : fInstalled(false)
{
	if (sPipe[0] >= 0 || pipe2(sPipe, O_CLOEXEC) != 0)
		return;
	fThread = std::thread(&QuitSignalWatcher::_Watch, this, looper);
	struct sigaction action = {};
	action.sa_handler = handle_signal;
	sigemptyset(&action.sa_mask);
	action.sa_flags = SA_RESTART;
	for (size_t i = 0; i < sizeof(kSignals) / sizeof(kSignals[0]); i++)
		sigaction(kSignals[i], &action, &sPrevious[i]);
	fInstalled = true;
}

QuitSignalWatcher::~QuitSignalWatcher()
{
	if (!fInstalled)
		return;
	for (size_t i = 0; i < sizeof(kSignals) / sizeof(kSignals[0]); i++)
		sigaction(kSignals[i], &sPrevious[i], nullptr);
	ssize_t written = write(sPipe[1], &kStop, 1);
	(void)written;
	fThread.join();
	close(sPipe[0]);
	close(sPipe[1]);
	sPipe[0] = sPipe[1] = -1;
}

void
QuitSignalWatcher::_Watch(BLooper* looper)
{
	char byte;
	for (;;) {
		ssize_t count = read(sPipe[0], &byte, 1);
		if (count < 0 && errno == EINTR)
			continue;
		if (count <= 0 || byte == kStop)
			return;
		looper->PostMessage(B_QUIT_REQUESTED);
	}
}

} // namespace BPrivate
