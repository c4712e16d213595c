#include "Prefs.h"

#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>

#include "PrefsFile.h"
#include "PrefsPath.h"
#include "PrefsPrivate.h"
#include "SemaphoreLocker.h"

// "prefs sem": guards the handle list, the handles, the sets and their
// messages. -1 while no handle exists.
static std::atomic<sem_id> sLibraryLock{-1};
// Serialises creating and deleting the two semaphores.
static std::mutex sLockLifetime;
static std::unique_ptr<_PREFHandle> sHandles; // guarded by sLibraryLock

// Takes the library lock for PREFInit(), creating both locks first when they
// do not exist.
static status_t
acquire_or_create_locks(sem_id* _held)
{
	for (;;) {
		sem_id library;
		{
			std::lock_guard<std::mutex> lifetime(sLockLifetime);
			library = sLibraryLock;
			if (library < 0) {
				// Created with count 0: the caller holds it.
				library = create_sem(0, "prefs sem");
				if (library < 0)
					return library;
				sem_id transaction = create_sem(1, "prefs trans sem");
				if (transaction < 0) {
					delete_sem(library);
					return transaction;
				}
				sLibraryLock = library;
				gPrefsTransactionLock = transaction;
				*_held = library;
				return B_OK;
			}
		}
		status_t status = acquire_sem(library);
		// B_BAD_SEM_ID: the last PREFShutdown() deleted it meanwhile.
		if (status != B_BAD_SEM_ID) {
			*_held = library;
			return status;
		}
	}
}

// Called by the PREFShutdown() that freed the last handle, holding the
// library lock; waiters wake with B_BAD_SEM_ID.
static void
delete_locks()
{
	std::lock_guard<std::mutex> lifetime(sLockLifetime);
	delete_sem(gPrefsTransactionLock.exchange(-1));
	delete_sem(sLibraryLock.exchange(-1));
}

// Frees a set whose last reference is gone, closing a transaction still
// open on it. The caller holds the library lock.
static void
free_set(_PREFData* set)
{
	{
		SemaphoreLocker locker(gPrefsTransactionLock);
		set->transaction.reset();
	}
	for (std::unique_ptr<_PREFData>* slot = &set->handle->sets; *slot != nullptr;
		 slot = &(*slot)->next) {
		if (slot->get() == set) {
			*slot = std::move(set->next);
			return;
		}
	}
}

static status_t
read_set(_PREFData* set)
{
	_PREFTransaction* transaction;
	status_t status = PREFBeginTransaction(set, &transaction);
	if (status != B_OK)
		return status;
	status = read_set_file(transaction->fd, set->message.get());
	PREFEndTransaction(transaction);
	return status;
}

status_t
PREFInit(const char* applicationName, _PREFHandle** _handle)
{
	if (_handle == nullptr)
		return B_BAD_VALUE;
	*_handle = nullptr;
	if (applicationName == nullptr || strchr(applicationName, '/') != nullptr)
		return B_BAD_VALUE;

	sem_id library;
	status_t status = acquire_or_create_locks(&library);
	if (status != B_OK)
		return status;
	SemaphoreLocker locker(library, true);

	for (_PREFHandle* handle = sHandles.get(); handle != nullptr; handle = handle->next.get()) {
		if (handle->name == applicationName) {
			handle->referenceCount++;
			*_handle = handle;
			return B_OK;
		}
	}
	try {
		auto handle = std::make_unique<_PREFHandle>(applicationName);
		handle->next = std::move(sHandles);
		sHandles = std::move(handle);
	} catch (const std::bad_alloc&) {
		return B_NO_MEMORY;
	}
	*_handle = sHandles.get();
	return B_OK;
}

status_t
PREFShutdown(_PREFHandle* handle)
{
	SemaphoreLocker locker(sLibraryLock);
	if (!locker.IsLocked())
		return PREF_ERR_LOCK;

	status_t result = PREF_ERR_NOT_FOUND;
	for (std::unique_ptr<_PREFHandle>* slot = &sHandles; *slot != nullptr; slot = &(*slot)->next) {
		if (slot->get() != handle)
			continue;
		if (--handle->referenceCount <= 0) {
			while (handle->sets != nullptr)
				free_set(handle->sets.get());
			*slot = std::move(handle->next);
			result = B_OK;
		}
		break;
	}
	if (sHandles == nullptr) {
		locker.Detach();
		delete_locks();
	}
	return result;
}

status_t
PREFLoadSet(_PREFHandle* handle, const char* setName, bool user, _PREFData** _set)
{
	if (_set == nullptr)
		return B_BAD_VALUE;
	*_set = nullptr;
	if (handle == nullptr || setName == nullptr)
		return B_BAD_VALUE;

	try {
		// Built before taking the lock: it may create directories.
		std::string path;
		status_t status = build_set_path(handle->name.c_str(), setName, user, &path);
		if (status != B_OK)
			return status;

		SemaphoreLocker locker(sLibraryLock);
		if (!locker.IsLocked())
			return PREF_ERR_LOCK;

		for (_PREFData* set = handle->sets.get(); set != nullptr; set = set->next.get()) {
			if (set->path == path) {
				set->referenceCount++;
				*_set = set;
				return B_OK;
			}
		}
		auto set = std::make_unique<_PREFData>(handle, std::move(path));
		status = read_set(set.get());
		if (status != B_OK)
			return status;
		set->next = std::move(handle->sets);
		handle->sets = std::move(set);
		*_set = handle->sets.get();
		return B_OK;
	} catch (const std::bad_alloc&) {
		return B_NO_MEMORY;
	}
}

status_t
PREFSaveSet(_PREFData* set)
{
	if (set == nullptr)
		return B_BAD_VALUE;
	SemaphoreLocker locker(sLibraryLock);
	if (!locker.IsLocked())
		return PREF_ERR_LOCK;

	// Built before the file is touched, so a failure leaves it as it was.
	std::unique_ptr<char[]> contents;
	size_t size;
	status_t status = flatten_set_file(*set->message, &contents, &size);
	if (status != B_OK)
		return status;

	_PREFTransaction* transaction;
	status = PREFBeginTransaction(set, &transaction);
	if (status != B_OK)
		return status;
	status = write_set_file(transaction->fd, contents.get(), size);
	PREFEndTransaction(transaction);
	return status;
}

status_t
PREFDisposeSet(_PREFData** _set)
{
	if (_set == nullptr || *_set == nullptr)
		return B_BAD_VALUE;
	_PREFData* set = *_set;

	// Holds the file like a load or a save would.
	_PREFTransaction* transaction;
	status_t status = PREFBeginTransaction(set, &transaction);
	if (status != B_OK)
		return status;

	SemaphoreLocker locker(sLibraryLock);
	if (!locker.IsLocked()) {
		PREFEndTransaction(transaction);
		return PREF_ERR_LOCK;
	}
	if (--set->referenceCount > 0) {
		PREFEndTransaction(transaction);
		return B_OK;
	}
	free_set(set);
	*_set = nullptr;
	return B_OK;
}

status_t
PREFSetData(_PREFData* set, const char* name, const void* data, int32 size, type_code type)
{
	if (set == nullptr)
		return B_BAD_VALUE;
	// Copied into a message of its own first: an item the set would refuse (a
	// bad name, size or type) must not cost the one it was meant to replace,
	// and data may point into that very item.
	BMessage copy;
	const void* copied;
	ssize_t copiedSize;
	status_t status = copy.AddData(name, type, data, size, true, 1);
	if (status == B_OK)
		status = copy.FindData(name, type, &copied, &copiedSize);
	if (status != B_OK)
		return status;

	// At most size bytes: the data need not be a terminated string.
	printf("PREFSetData with buffer: %.*s of size %d\n", static_cast<int>(size),
		   static_cast<const char*>(data), static_cast<int>(size));
	SemaphoreLocker locker(sLibraryLock);
	if (!locker.IsLocked())
		return PREF_ERR_LOCK;
	printf("acquired\n");

	set->message->RemoveName(name);
	status = set->message->AddData(name, type, copied, copiedSize, true, 1);
	printf("did the adddata\n");
	return status;
}

status_t
PREFGetData(_PREFData* set, const char* name, const void** data, int32* size, type_code* type)
{
	if (set == nullptr || name == nullptr || data == nullptr || size == nullptr || type == nullptr)
		return B_BAD_VALUE;
	SemaphoreLocker locker(sLibraryLock);
	if (!locker.IsLocked())
		return PREF_ERR_LOCK;

	*data = nullptr;
	*size = 0;
	ssize_t bytes = 0;
	bool found = set->message->GetInfo(name, type) == B_OK &&
				 set->message->FindData(name, *type, 0, data, &bytes) == B_OK;
	if (found)
		*size = static_cast<int32>(bytes);

	printf("FindData got: %.*s of size %d\n", static_cast<int>(*size),
		   *data != nullptr ? static_cast<const char*>(*data) : "", static_cast<int>(*size));
	return found ? B_OK : PREF_ERR_NOT_FOUND;
}
