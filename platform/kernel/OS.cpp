#include "OS.h"

#include <sys/file.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>

#include <ErrnoStatus.h>

namespace {

struct Semaphore {
	std::string name;
	int32 count = 0;
	int32 waiters = 0;
	bool deleted = false;
	std::condition_variable changed;
};

// guarded by sSemLock
std::mutex sSemLock;
std::unordered_map<sem_id, std::shared_ptr<Semaphore>> sSemaphores;
sem_id sNextSem = 1;

std::shared_ptr<Semaphore>
find_semaphore(sem_id sem)
{
	auto found = sSemaphores.find(sem);
	return found == sSemaphores.end() ? nullptr : found->second;
}

} // namespace

sem_id
create_sem(int32 count, const char* name)
{
	if (count < 0)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> lock(sSemLock);
	auto semaphore = std::make_shared<Semaphore>();
	semaphore->name = name != nullptr ? name : "";
	semaphore->count = count;
	sem_id id = sNextSem++;
	sSemaphores.emplace(id, std::move(semaphore));
	return id;
}

status_t
delete_sem(sem_id sem)
{
	std::lock_guard<std::mutex> lock(sSemLock);
	auto semaphore = find_semaphore(sem);
	if (semaphore == nullptr)
		return B_BAD_SEM_ID;
	semaphore->deleted = true;
	sSemaphores.erase(sem);
	semaphore->changed.notify_all();
	return B_OK;
}

status_t
acquire_sem(sem_id sem)
{
	return acquire_sem_etc(sem, 1, 0, 0);
}

status_t
acquire_sem_etc(sem_id sem, int32 count, uint32 flags, bigtime_t timeout)
{
	if (count < 1)
		return B_BAD_VALUE;
	std::unique_lock<std::mutex> lock(sSemLock);
	auto semaphore = find_semaphore(sem);
	if (semaphore == nullptr)
		return B_BAD_SEM_ID;

	auto available = [&] { return semaphore->deleted || semaphore->count >= count; };
	if ((flags & B_RELATIVE_TIMEOUT) != 0 && timeout != B_INFINITE_TIMEOUT) {
		if (!available() && timeout <= 0)
			return B_WOULD_BLOCK;
		semaphore->waiters++;
		bool ok = semaphore->changed.wait_for(lock, std::chrono::microseconds(timeout), available);
		semaphore->waiters--;
		if (!ok)
			return B_TIMED_OUT;
	} else {
		semaphore->waiters++;
		semaphore->changed.wait(lock, available);
		semaphore->waiters--;
	}
	if (semaphore->deleted)
		return B_BAD_SEM_ID;
	semaphore->count -= count;
	return B_OK;
}

status_t
release_sem(sem_id sem)
{
	std::lock_guard<std::mutex> lock(sSemLock);
	auto semaphore = find_semaphore(sem);
	if (semaphore == nullptr)
		return B_BAD_SEM_ID;
	semaphore->count++;
	semaphore->changed.notify_all();
	return B_OK;
}

status_t
get_sem_count(sem_id sem, int32* count)
{
	if (count == nullptr)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> lock(sSemLock);
	auto semaphore = find_semaphore(sem);
	if (semaphore == nullptr)
		return B_BAD_SEM_ID;
	*count = semaphore->count > 0 ? semaphore->count : -semaphore->waiters;
	return B_OK;
}

thread_id
find_thread(const char* name)
{
	if (name != nullptr)
		return B_NAME_NOT_FOUND;
	static thread_local thread_id sThread = static_cast<thread_id>(syscall(SYS_gettid));
	return sThread;
}

bigtime_t
system_time()
{
	using namespace std::chrono;
	return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

status_t
snooze(bigtime_t microseconds)
{
	if (microseconds > 0)
		std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
	return B_OK;
}

status_t
_klock_node_(int fd)
{
	while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
		if (errno == EINTR)
			continue;
		return errno == EWOULDBLOCK ? B_BUSY : BPrivate::status_for_errno(errno);
	}
	return B_OK;
}
