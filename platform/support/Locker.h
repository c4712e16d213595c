#ifndef LOCKER_H
#define LOCKER_H

#include <SupportDefs.h>

#include <atomic>
#include <mutex>

// A recursive lock. Lock() blocks; LockWithTimeout() gives up after the
// given number of microseconds with B_TIMED_OUT. Thread-safe.
class BLocker {
public:
	BLocker(const char* name = nullptr);
	~BLocker();

	bool Lock();
	status_t LockWithTimeout(bigtime_t timeout);
	void Unlock();

	bool IsLocked() const; // by the calling thread
	int32 CountLocks() const;

private:
	std::recursive_timed_mutex fMutex;
	std::atomic<thread_id> fOwner;
	int32 fCount; // guarded by fMutex
};

#endif // LOCKER_H
