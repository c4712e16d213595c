#ifndef OS_H
#define OS_H

#include <SupportDefs.h>

// Flags of acquire_sem_etc().
enum {
	B_RELATIVE_TIMEOUT = 0x08,
};

#define B_INFINITE_TIMEOUT (INT64_MAX)

// Counting semaphores, shared by the threads of this process.
// All calls are thread-safe. Deleting a semaphore wakes its waiters with
// B_BAD_SEM_ID.
sem_id create_sem(int32 count, const char* name);
status_t delete_sem(sem_id sem);
status_t acquire_sem(sem_id sem);
// timeout in microseconds with B_RELATIVE_TIMEOUT; a zero timeout polls and
// answers B_WOULD_BLOCK when the count is not available.
status_t acquire_sem_etc(sem_id sem, int32 count, uint32 flags, bigtime_t timeout);
status_t release_sem(sem_id sem);
status_t get_sem_count(sem_id sem, int32* count);

// The calling thread's id when name is null (the Linux thread id);
// B_NAME_NOT_FOUND for any name.
thread_id find_thread(const char* name);

// Microseconds on a monotonic clock.
bigtime_t system_time();

// Sleeps for at least the given number of microseconds.
status_t snooze(bigtime_t microseconds);

// Exclusive lock on the node of an open file descriptor. Fails at once with
// B_BUSY while another open file holds it; closing the descriptor releases it.
status_t _klock_node_(int fd);

#endif // OS_H
