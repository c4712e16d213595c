#include "Locker.h"

#include <chrono>

#include <OS.h>

BLocker::BLocker(const char*) : fOwner(-1), fCount(0)
{
}

BLocker::~BLocker() = default;

bool
BLocker::Lock()
{
	fMutex.lock();
	fOwner = find_thread(nullptr);
	fCount++;
	return true;
}

status_t
BLocker::LockWithTimeout(bigtime_t timeout)
{
	if (timeout == B_INFINITE_TIMEOUT)
		return Lock() ? B_OK : B_ERROR;
	if (!fMutex.try_lock_for(std::chrono::microseconds(timeout < 0 ? 0 : timeout)))
		return B_TIMED_OUT;
	fOwner = find_thread(nullptr);
	fCount++;
	return B_OK;
}

void
BLocker::Unlock()
{
	if (--fCount == 0)
		fOwner = -1;
	fMutex.unlock();
}

bool
BLocker::IsLocked() const
{
	return fOwner == find_thread(nullptr);
}

int32
BLocker::CountLocks() const
{
	return IsLocked() ? fCount : 0;
}
