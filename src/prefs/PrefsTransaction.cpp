#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <new>

#include <ErrnoStatus.h>
#include <OS.h>
#include <RegularFile.h>

#include "PrefsPrivate.h"
#include "SemaphoreLocker.h"

std::atomic<sem_id> gPrefsTransactionLock{-1};

// Opens the file read-write (creating it; B_BAD_TYPE when it is not a
// regular file) and takes its exclusive lock,
// backing off for a random 10 to 75 ms while another holder has it.
static status_t
open_locked(const char* path, int* _fd)
{
	for (;;) {
		int fd = -1;
		status_t status = BPrivate::open_regular_file(path, O_RDWR | O_CREAT, 0666, &fd);
		if (status == B_OK) {
			status = _klock_node_(fd);
			if (status == B_OK) {
				*_fd = fd;
				return B_OK;
			}
			close(fd);
		}
		// Only a busy file is worth waiting for; any other failure would
		// repeat forever.
		if (status != B_BUSY)
			return status;
		snooze((rand() & 0x7fff) + (find_thread(nullptr) & 0x7fff) + 10000);
	}
}

status_t
PREFBeginTransaction(_PREFData* set, _PREFTransaction** _transaction)
{
	if (_transaction == nullptr || set == nullptr)
		return B_BAD_VALUE;
	{
		SemaphoreLocker locker(gPrefsTransactionLock);
		if (!locker.IsLocked())
			return PREF_ERR_LOCK;
		if (set->transaction != nullptr) {
			set->transaction->referenceCount++;
			*_transaction = set->transaction.get();
			return B_OK;
		}
		*_transaction = nullptr;
	}

	// Not under the transaction lock: this may wait for another process.
	int fd = -1;
	status_t status = open_locked(set->path.c_str(), &fd);
	if (status != B_OK)
		return status;

	SemaphoreLocker locker(gPrefsTransactionLock);
	if (!locker.IsLocked()) {
		close(fd);
		return PREF_ERR_LOCK;
	}
	_PREFTransaction* transaction = new (std::nothrow) _PREFTransaction(fd, set);
	if (transaction == nullptr) {
		close(fd);
		return B_NO_MEMORY;
	}
	set->transaction.reset(transaction);
	*_transaction = transaction;
	return B_OK;
}

status_t
PREFEndTransaction(_PREFTransaction* transaction)
{
	if (transaction == nullptr)
		return B_BAD_VALUE;
	SemaphoreLocker locker(gPrefsTransactionLock);
	if (!locker.IsLocked())
		return PREF_ERR_LOCK;
	if (--transaction->referenceCount <= 0)
		transaction->set->transaction.reset();
	return B_OK;
}
