#include <Looper.h>

#include <memory>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include <Autolock.h>
#include <Message.h>
#include <Messenger.h>
#include <OS.h>

#include "LooperPrivate.h"
#include "RecordingHandlers.h"

namespace {

// Dispatches on the thread that calls Run(), whenever the test pumps, the
// way a runner on a GUI event loop works.
class PumpedRunner : public BPrivate::LooperRunner {
public:
	explicit PumpedRunner(sem_id woken) : fWoken(woken) {}

	thread_id Start(BLooper* looper) override
	{
		BPrivate::LooperPrivate(looper).Port()->SetWakeHook([this] { release_sem(fWoken); });
		return find_thread(nullptr);
	}

private:
	sem_id fWoken;
};

void
quit_when_told(RecordingLooper* looper)
{
	looper->onMessage = [looper](BMessage* message) {
		if (message->what == 'quit')
			looper->Quit();
	};
}

} // namespace

TEST(LooperDispatch, KeepsEachPostersOrderWithTheLooperLocked)
{
	MessageLog log;
	auto* looper = new RecordingLooper(log);
	ASSERT_GT(looper->Run(), 0);
	const int32 kPosters = 4;
	const int32 kEach = 250;
	std::vector<std::thread> posters;
	for (int32 poster = 0; poster < kPosters; poster++) {
		posters.emplace_back([looper, poster] {
			for (int32 index = 0; index < kEach; index++) {
				BMessage message('seq ');
				message.AddInt32("poster", poster);
				message.AddInt32("index", index);
				EXPECT_EQ(looper->PostMessage(&message), B_OK);
			}
		});
	}
	for (std::thread& poster : posters)
		poster.join();
	ASSERT_TRUE(log.WaitFor(kPosters * kEach));

	std::vector<int32> next(kPosters, 0);
	for (const BMessage& message : log.Messages()) {
		int32 poster = message.GetInt32("poster", 0);
		EXPECT_EQ(message.GetInt32("index", -1), next[poster]++);
		EXPECT_TRUE(message.GetBool("locked"));
	}
	ASSERT_TRUE(looper->Lock());
	looper->Quit();
}

TEST(LooperQuit, FromAnotherThreadDispatchesWhatIsQueuedFirst)
{
	MessageLog log;
	Sem deleted;
	auto* looper = new RecordingLooper(log, deleted.id);
	looper->allowQuit = false; // not asked
	ASSERT_GT(looper->Run(), 0);
	ASSERT_TRUE(looper->Lock());
	for (uint32 i = 0; i < 100; i++)
		ASSERT_EQ(looper->PostMessage('q000' + i), B_OK);
	looper->Quit();
	EXPECT_TRUE(acquired(deleted.id, 0));
	EXPECT_EQ(log.Whats().size(), 100u);
}

TEST(LooperQuit, FromItsOwnThreadDropsLaterMessages)
{
	MessageLog log;
	Sem deleted;
	auto* looper = new RecordingLooper(log, deleted.id);
	quit_when_told(looper);
	for (uint32 what : {'frst', 'quit', 'late'})
		ASSERT_EQ(looper->PostMessage(what), B_OK);
	ASSERT_GT(looper->Run(), 0);
	ASSERT_TRUE(acquired(deleted.id));
	EXPECT_EQ(log.Whats(), (std::vector<uint32>{'frst', 'quit'}));
}

TEST(LooperLock, AnotherThreadsLockHoldsOffDispatch)
{
	MessageLog log;
	Sem entered, proceed;
	auto* looper = new RecordingLooper(log);
	looper->onMessage = [&](BMessage* message) {
		if (message->what == 'busy') {
			release_sem(entered.id);
			acquire_sem(proceed.id);
		}
	};
	ASSERT_GT(looper->Run(), 0);
	{
		BAutolock lock(looper);
		ASSERT_TRUE(lock.IsLocked());
		ASSERT_EQ(looper->PostMessage('wait'), B_OK);
		snooze(20000); // a chance for a faulty looper to dispatch anyway
		EXPECT_TRUE(log.Whats().empty());
		// The looper cannot answer while this thread holds it.
		BMessage reply;
		EXPECT_EQ(BMessenger(looper).SendMessage('lckd', &reply), B_WOULD_BLOCK);
	}
	ASSERT_TRUE(log.WaitFor(1));

	ASSERT_EQ(looper->PostMessage('busy'), B_OK);
	ASSERT_TRUE(acquired(entered.id));
	EXPECT_EQ(looper->LockWithTimeout(1000), B_TIMED_OUT);
	EXPECT_FALSE(looper->IsLocked());
	release_sem(proceed.id);
	ASSERT_EQ(looper->LockWithTimeout(kPatience), B_OK);
	ASSERT_TRUE(looper->Lock());
	looper->Unlock();
	EXPECT_TRUE(looper->IsLocked());
	looper->Quit();
}

TEST(LooperRunner, AnotherRunnerDispatchesOnItsOwnThread)
{
	MessageLog log;
	Sem deleted, woken;
	auto* looper = new RecordingLooper(log, deleted.id);
	BPrivate::LooperPrivate dispatcher(looper);
	dispatcher.SetRunner(std::make_unique<PumpedRunner>(woken.id));
	ASSERT_EQ(looper->Run(), find_thread(nullptr));
	EXPECT_FALSE(looper->IsLocked());
	EXPECT_EQ(dispatcher.DispatchNextMessage(0), B_WOULD_BLOCK);

	std::thread([looper] { looper->PostMessage('frst'); }).join();
	ASSERT_TRUE(acquired(woken.id));
	EXPECT_EQ(dispatcher.DispatchNextMessage(0), B_OK);
	ASSERT_EQ(log.Whats(), std::vector<uint32>{'frst'});
	EXPECT_TRUE(log.Messages()[0].GetBool("locked"));
	// This thread serves the looper: waiting for its answer would hang.
	BMessage reply;
	EXPECT_EQ(BMessenger(looper).SendMessage('self', &reply), B_WOULD_BLOCK);

	quit_when_told(looper);
	ASSERT_EQ(looper->PostMessage('quit'), B_OK);
	EXPECT_EQ(dispatcher.DispatchNextMessage(0), B_BAD_PORT_ID);
	EXPECT_TRUE(acquired(deleted.id, 0));
}
