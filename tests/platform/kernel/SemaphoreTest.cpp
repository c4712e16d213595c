#include <OS.h>

#include <atomic>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

TEST(Semaphore, CountsAcrossThreadsTimesOutAndRejectsDeletedIds)
{
	sem_id sem = create_sem(0, "test");
	ASSERT_GT(sem, 0);
	std::atomic<int> acquired = 0;
	std::vector<std::thread> threads;
	for (int i = 0; i < 4; i++) {
		threads.emplace_back([&] {
			if (acquire_sem(sem) == B_OK)
				acquired++;
		});
	}
	for (int i = 0; i < 5; i++)
		EXPECT_EQ(release_sem(sem), B_OK);
	for (auto& thread : threads)
		thread.join();
	EXPECT_EQ(acquired, 4);
	EXPECT_EQ(acquire_sem_etc(sem, 2, B_RELATIVE_TIMEOUT, 0), B_WOULD_BLOCK);
	EXPECT_EQ(acquire_sem_etc(sem, 2, B_RELATIVE_TIMEOUT, 1000), B_TIMED_OUT);
	EXPECT_EQ(acquire_sem_etc(sem, 1, B_RELATIVE_TIMEOUT, 0), B_OK);
	EXPECT_EQ(delete_sem(sem), B_OK);
	EXPECT_EQ(acquire_sem(sem), B_BAD_SEM_ID);
	EXPECT_EQ(release_sem(sem), B_BAD_SEM_ID);
	EXPECT_EQ(delete_sem(sem), B_BAD_SEM_ID);
	EXPECT_EQ(create_sem(-1, "negative"), B_BAD_VALUE);
}

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
