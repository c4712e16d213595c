#include <Looper.h>

#include <memory>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include <AppDefs.h>
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

TEST(LooperDispatch, ReachesTheAddressedHandler)
{
	MessageLog looperLog;
	auto* looper = new RecordingLooper(looperLog);
	RecordingHandler named("named");
	looper->AddHandler(&named);
	ASSERT_GT(looper->Run(), 0);
	BMessage message;
	// The looper itself: by command, to no handler (the preferred one), and
	// by a messenger to the looper. Then the handler, posted and sent.
	ASSERT_EQ(looper->PostMessage('r001'), B_OK);
	message.what = 'r002';
	ASSERT_EQ(looper->PostMessage(&message, nullptr), B_OK);
	message.what = 'r003';
	ASSERT_EQ(BMessenger(nullptr, looper).SendMessage(&message), B_OK);
	message.what = 'r004';
	ASSERT_EQ(looper->PostMessage(&message, &named), B_OK);
	message.what = 'r005';
	ASSERT_EQ(BMessenger(&named).SendMessage(&message), B_OK);
	ASSERT_TRUE(looperLog.WaitFor(3));
	ASSERT_TRUE(named.log.WaitFor(2));
	EXPECT_EQ(looperLog.Whats(), (std::vector<uint32>{'r001', 'r002', 'r003'}));
	EXPECT_EQ(named.log.Whats(), (std::vector<uint32>{'r004', 'r005'}));

	RecordingHandler stranger("stranger");
	EXPECT_EQ(looper->PostMessage('strn', &stranger), B_MISMATCHED_VALUES);
	ASSERT_TRUE(looper->Lock());
	looper->Quit();
}

TEST(LooperDispatch, UnhandledMessagesWalkTheChain)
{
	const uint32 kPass = 'pass';
	MessageLog looperLog;
	auto* looper = new RecordingLooper(looperLog);
	RecordingHandler first("first", {kPass});
	RecordingHandler second("second", {kPass});
	RecordingHandler third("third");
	for (BHandler* handler : {(BHandler*)&first, (BHandler*)&second, (BHandler*)&third})
		looper->AddHandler(handler);
	first.SetNextHandler(&second);
	// Would close a loop and recurse forever: refused.
	second.SetNextHandler(&first);
	ASSERT_GT(looper->Run(), 0);
	ASSERT_EQ(looper->PostMessage(kPass, &first), B_OK);
	ASSERT_TRUE(looperLog.WaitFor(1));

	ASSERT_TRUE(looper->Lock());
	second.SetNextHandler(&third);
	looper->Unlock();
	ASSERT_EQ(looper->PostMessage(kPass, &first), B_OK);
	ASSERT_TRUE(third.log.WaitFor(1));

	// The chain closes over a removed handler.
	ASSERT_TRUE(looper->Lock());
	EXPECT_TRUE(looper->RemoveHandler(&second));
	looper->Unlock();
	ASSERT_EQ(looper->PostMessage(kPass, &first), B_OK);
	ASSERT_TRUE(third.log.WaitFor(2));
	EXPECT_EQ(looperLog.Whats().size(), 1u);
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

TEST(LooperQuit, QuitRequestedDecidesAndAnswers)
{
	MessageLog log;
	Sem deleted;
	auto* looper = new RecordingLooper(log, deleted.id);
	looper->allowQuit = false;
	ASSERT_GT(looper->Run(), 0);
	BMessenger target(looper);
	BMessage reply;
	ASSERT_EQ(target.SendMessage(B_QUIT_REQUESTED, &reply), B_OK);
	EXPECT_EQ(reply.what, static_cast<uint32>(B_REPLY));
	EXPECT_FALSE(reply.GetBool("result", true));

	ASSERT_TRUE(target.LockTarget());
	looper->allowQuit = true;
	looper->Unlock();
	ASSERT_EQ(target.SendMessage(B_QUIT_REQUESTED, &reply), B_OK);
	EXPECT_TRUE(reply.GetBool("result", false));
	ASSERT_TRUE(acquired(deleted.id));
	EXPECT_TRUE(log.Whats().empty());
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
