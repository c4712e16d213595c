#include <OS.h>

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

TEST(Semaphore, DeleteWakesWaiters)
{
	sem_id sem = create_sem(0, "test");
	std::atomic<status_t> result = B_OK;
	std::thread waiter([&] { result = acquire_sem(sem); });
	int32 count = 0;
	while (get_sem_count(sem, &count) == B_OK && count == 0)
		snooze(100);
	EXPECT_EQ(delete_sem(sem), B_OK);
	waiter.join();
	EXPECT_EQ(result, B_BAD_SEM_ID);
}
