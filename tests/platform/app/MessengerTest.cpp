#include <Messenger.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include <AppDefs.h>
#include <Looper.h>
#include <Message.h>
#include <OS.h>

#include "RecordingHandlers.h"

namespace {

// A running looper with one recording handler; it quits when the test ends.
class Target {
public:
	explicit Target(std::vector<uint32> passOn = {})
		: looper(new RecordingLooper(looperLog)), handler("target", std::move(passOn))
	{
		looper->AddHandler(&handler);
		looper->Run();
	}

	~Target()
	{
		if (looper->Lock())
			looper->Quit();
	}

	// The previous dispatch may still run: change the hook under the lock.
	void OnMessage(std::function<void(BMessage*)> hook)
	{
		looper->Lock();
		handler.onMessage = std::move(hook);
		looper->Unlock();
	}

	BMessenger Messenger() const { return BMessenger(&handler); }

	MessageLog looperLog;
	RecordingLooper* looper;
	RecordingHandler handler;
};

} // namespace

TEST(MessengerSync, ReportsWhatBecameOfTheMessage)
{
	const uint32 kUnknown = 'unkn';
	Target target({kUnknown});
	ASSERT_TRUE(target.looper->Lock());
	target.handler.SetNextHandler(nullptr);
	target.looper->Unlock();
	BLooper* looper = target.looper;
	std::atomic<status_t> second = B_OK, late = B_OK;
	Sem gate, lateDone;
	std::thread answerer;
	struct Row {
		const char* handlerDoes;
		uint32 what;
		std::function<void(BMessage*)> onMessage;
		bigtime_t replyTimeout;
		status_t result;
		uint32 replyWhat;
	} rows[] = {
		{"answers twice", 'twic',
		 [&](BMessage* m) {
			 m->SendReply('one ');
			 second = m->SendReply('two ');
		 },
		 kPatience, B_OK, 'one '},
		{"drops it", 'drop', nullptr, kPatience, B_OK, B_NO_REPLY},
		{"does not understand it", kUnknown, nullptr, kPatience, B_OK, B_MESSAGE_NOT_UNDERSTOOD},
		{"detaches and deletes it", 'dele',
		 [&](BMessage*) { delete looper->DetachCurrentMessage(); }, kPatience, B_OK, B_NO_REPLY},
		{"detaches it and answers from another thread", 'detc',
		 [&](BMessage*) {
			 answerer = std::thread([detached = looper->DetachCurrentMessage()] {
				 detached->SendReply('ltr ');
				 delete detached;
			 });
		 },
		 kPatience, B_OK, 'ltr '},
		{"answers after the time-out", 'slow',
		 [&](BMessage* m) {
			 acquire_sem(gate.id);
			 late = m->SendReply('slow');
			 release_sem(lateDone.id);
		 },
		 20000, B_TIMED_OUT, 0},
	};
	for (const Row& row : rows) {
		SCOPED_TRACE(row.handlerDoes);
		target.OnMessage(row.onMessage);
		BMessage message(row.what);
		BMessage reply;
		EXPECT_EQ(target.Messenger().SendMessage(&message, &reply, kPatience, row.replyTimeout),
				  row.result);
		EXPECT_EQ(reply.what, row.replyWhat);
		if (answerer.joinable())
			answerer.join();
	}
	EXPECT_EQ(second, B_DUPLICATE_REPLY);
	release_sem(gate.id);
	ASSERT_TRUE(acquired(lateDone.id));
	EXPECT_EQ(late, B_BAD_PORT_ID); // nobody waits any more
}

TEST(MessengerAddress, StaleTargetsFailAtOnce)
{
	Target target;
	auto* gone = new RecordingHandler("gone");
	RecordingHandler removed("removed");
	ASSERT_TRUE(target.looper->Lock());
	target.looper->AddHandler(gone);
	target.looper->AddHandler(&removed);
	target.looper->Unlock();
	BMessenger toGone(gone), toRemoved(&removed);
	delete gone;
	ASSERT_TRUE(target.looper->Lock());
	target.looper->RemoveHandler(&removed);
	target.looper->Unlock();
	MessageLog quitLog;
	auto* quitLooper = new RecordingLooper(quitLog);
	BMessenger toQuit(quitLooper);
	quitLooper->Quit();

	BMessage reply;
	EXPECT_EQ(toGone.SendMessage('gone'), B_BAD_HANDLER);
	EXPECT_EQ(toGone.SendMessage('gone', &reply), B_BAD_HANDLER);
	EXPECT_EQ(toQuit.SendMessage('quit'), B_BAD_PORT_ID);
	EXPECT_EQ(toQuit.SendMessage('quit', &reply), B_BAD_PORT_ID);
	EXPECT_FALSE(toQuit.LockTarget());
	BLooper* looper = target.looper;
	EXPECT_EQ(toQuit.Target(&looper), nullptr);
	EXPECT_EQ(looper, nullptr);
	// A handler that left its looper is not dispatched to any more.
	ASSERT_EQ(toRemoved.SendMessage('rmvd', &reply), B_OK);
	EXPECT_EQ(reply.what, static_cast<uint32>(B_NO_REPLY));
	EXPECT_TRUE(removed.log.Whats().empty());
}

TEST(MessageReply, AsynchronousRepliesGoToTheReplyHandler)
{
	Target target, replies;
	std::atomic<bool> waiting = true, addressed = false;
	std::atomic<status_t> statuses[3] = {B_ERROR, B_ERROR, B_ERROR};
	target.OnMessage([&](BMessage* message) {
		waiting = message->IsSourceWaiting();
		addressed = message->ReturnAddress() == replies.Messenger();
		statuses[0] = message->SendReply('rep1');
		statuses[1] = message->SendReply('rep2');
	});
	ASSERT_EQ(target.Messenger().SendMessage('asyn', &replies.handler), B_OK);
	ASSERT_TRUE(replies.handler.log.WaitFor(2));
	ASSERT_TRUE(target.handler.log.WaitFor(1));
	EXPECT_FALSE(waiting);
	EXPECT_TRUE(addressed);
	EXPECT_EQ(statuses[0], B_OK);
	EXPECT_EQ(statuses[1], B_OK);
	EXPECT_EQ(replies.handler.log.Whats(), (std::vector<uint32>{'rep1', 'rep2'}));

	// Without a reply handler (and no application) nobody can be answered.
	target.OnMessage([&](BMessage* message) { statuses[2] = message->SendReply('nore'); });
	ASSERT_EQ(target.Messenger().SendMessage('nore'), B_OK);
	ASSERT_TRUE(target.handler.log.WaitFor(2));
	EXPECT_EQ(statuses[2], B_BAD_REPLY);
	BMessage neverSent('nvr ');
	EXPECT_EQ(neverSent.SendReply('nvr '), B_BAD_REPLY);
}
