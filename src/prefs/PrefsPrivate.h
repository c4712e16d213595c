#ifndef PREFS_PRIVATE_H
#define PREFS_PRIVATE_H

#include <unistd.h>

#include <atomic>
#include <memory>
#include <string>

#include <Message.h>
#include <OS.h>

#include "Prefs.h"

// One open, exclusively locked set file. Destroying it closes the file, which
// drops the lock.
struct _PREFTransaction {
	_PREFTransaction(int fd, _PREFData* set) : fd(fd), set(set) {}
	~_PREFTransaction() { close(fd); }

	_PREFTransaction(const _PREFTransaction&) = delete;
	_PREFTransaction& operator=(const _PREFTransaction&) = delete;

	int fd;
	int32 referenceCount = 1;
	_PREFData* set;
};

// One loaded set file. Guarded by the library lock, except transaction, which
// is guarded by the transaction lock.
struct _PREFData {
	_PREFData(_PREFHandle* handle, std::string path)
		: handle(handle), path(std::move(path)), message(std::make_unique<BMessage>())
	{
	}

	std::unique_ptr<_PREFData> next;
	int32 referenceCount = 1;
	_PREFHandle* handle;
	std::string path;
	std::unique_ptr<BMessage> message;
	std::unique_ptr<_PREFTransaction> transaction;
};

// One application name in use in the process. Guarded by the library lock.
struct _PREFHandle {
	explicit _PREFHandle(const char* name) : name(name) {}

	std::unique_ptr<_PREFHandle> next;
	int32 referenceCount = 1;
	const std::string name;
	std::unique_ptr<_PREFData> sets;
};

// "prefs trans sem": guards the transaction records. Taken after the library
// lock, never before it. -1 while the library is not initialised.
extern std::atomic<sem_id> gPrefsTransactionLock;

#endif // PREFS_PRIVATE_H
