#ifndef QUIT_SIGNAL_WATCHER_H
#define QUIT_SIGNAL_WATCHER_H

#include <thread>

class BLooper;

namespace BPrivate {

// While it exists, SIGTERM, SIGINT and SIGHUP post B_QUIT_REQUESTED to the
// looper instead of ending the process, so a logout or a kill closes the
// application as the user's Quit would (windows save their books). The
// previous dispositions come back when it is destroyed.
class QuitSignalWatcher {
public:
	explicit QuitSignalWatcher(BLooper* looper);
	~QuitSignalWatcher();
	QuitSignalWatcher(const QuitSignalWatcher&) = delete;
	QuitSignalWatcher& operator=(const QuitSignalWatcher&) = delete;

private:
	void _Watch(BLooper* looper);

	std::thread fThread;
	bool fInstalled;
};

} // namespace BPrivate

#endif // QUIT_SIGNAL_WATCHER_H
