#ifndef SEMAPHORE_LOCKER_H
#define SEMAPHORE_LOCKER_H

#include <OS.h>

// Holds one count of a semaphore until it goes out of scope. A semaphore that
// is gone (or was never created, -1) leaves IsLocked() false.
class SemaphoreLocker {
public:
	explicit SemaphoreLocker(sem_id semaphore)
		: fSemaphore(semaphore), fLocked(acquire_sem(semaphore) == B_OK)
	{
	}

	// Takes over a count the caller already holds.
	SemaphoreLocker(sem_id semaphore, bool alreadyHeld)
		: fSemaphore(semaphore), fLocked(alreadyHeld)
	{
	}

	~SemaphoreLocker()
	{
		if (fLocked)
			release_sem(fSemaphore);
	}

	SemaphoreLocker(const SemaphoreLocker&) = delete;
	SemaphoreLocker& operator=(const SemaphoreLocker&) = delete;

	bool IsLocked() const { return fLocked; }

	// Forgets the count without releasing it, for a semaphore about to be
	// deleted.
	void Detach() { fLocked = false; }

private:
	sem_id fSemaphore;
	bool fLocked;
};

#endif // SEMAPHORE_LOCKER_H
