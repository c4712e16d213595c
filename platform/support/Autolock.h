#ifndef AUTOLOCK_H
#define AUTOLOCK_H

#include <Locker.h>

// Holds a lock for the lifetime of the object: a BLocker, a BLooper or
// anything else with bool Lock() and void Unlock().
class BAutolock {
public:
	template <typename Lockable>
	explicit BAutolock(Lockable* lock)
		: fLock(lock), fUnlock([](void* object) { static_cast<Lockable*>(object)->Unlock(); }),
		  fLocked(lock != nullptr && lock->Lock())
	{
	}

	template <typename Lockable> explicit BAutolock(Lockable& lock) : BAutolock(&lock) {}

	~BAutolock()
	{
		if (fLocked)
			fUnlock(fLock);
	}

	BAutolock(const BAutolock&) = delete;
	BAutolock& operator=(const BAutolock&) = delete;

	bool IsLocked() const { return fLocked; }

private:
	void* fLock;
	void (*fUnlock)(void*);
	bool fLocked;
};

#endif // AUTOLOCK_H
