#include "LooperThread.h"

#include <pthread.h>

#include <algorithm>
#include <future>
#include <string>
#include <system_error>
#include <thread>

#include <ErrnoStatus.h>
#include <Looper.h>
#include <OS.h>

#include "LooperPrivate.h"

namespace BPrivate {

thread_id
LooperThread::Start(BLooper* looper)
{
	// Linux thread names hold 15 bytes.
	std::string name = looper->Name() != nullptr ? looper->Name() : "looper";
	name.resize(std::min<size_t>(name.size(), 15));

	std::promise<thread_id> started;
	std::future<thread_id> id = started.get_future();
	try {
		std::thread thread([looper, &started, name] {
			pthread_setname_np(pthread_self(), name.c_str());
			LooperPrivate dispatcher(looper);
			dispatcher.Port()->SetThread(find_thread(nullptr));
			started.set_value(find_thread(nullptr));
			// The looper deletes itself when it has quit; then the thread ends.
			while (dispatcher.DispatchNextMessage(B_INFINITE_TIMEOUT) == B_OK) {
			}
		});
		thread.detach();
	} catch (const std::system_error& error) {
		return status_for_errno(error.code().value());
	}
	return id.get();
}

} // namespace BPrivate
