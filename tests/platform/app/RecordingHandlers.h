#ifndef RECORDING_HANDLERS_H
#define RECORDING_HANDLERS_H

#include <Handler.h>
#include <Looper.h>
#include <Message.h>
#include <OS.h>

#include <algorithm>
#include <functional>
#include <mutex>
#include <vector>

// How long a test waits for what must happen: long enough for any machine.
inline constexpr bigtime_t kPatience = 10000000;

inline bool
acquired(sem_id sem, bigtime_t timeout = kPatience)
{
	return acquire_sem_etc(sem, 1, B_RELATIVE_TIMEOUT, timeout) == B_OK;
}

// A semaphore for the duration of a test.
struct Sem {
	sem_id id = create_sem(0, "test");
	~Sem() { delete_sem(id); }
};

// Copies of the messages a handler got, in order. Each copy carries the bool
// "locked": whether the dispatching thread held the looper's lock.
class MessageLog {
public:
	MessageLog() : fArrived(create_sem(0, "message log")) {}
	~MessageLog() { delete_sem(fArrived); }

	void Add(BMessage copy, bool locked)
	{
		copy.AddBool("locked", locked);
		std::lock_guard<std::mutex> lock(fLock);
		fMessages.push_back(copy);
		release_sem(fArrived);
	}

	// Waits until count messages have arrived in all.
	bool WaitFor(size_t count)
	{
		for (; fWaited < count; fWaited++) {
			if (!acquired(fArrived))
				return false;
		}
		return true;
	}

	std::vector<BMessage> Messages() const
	{
		std::lock_guard<std::mutex> lock(fLock);
		return fMessages;
	}

	std::vector<uint32> Whats() const
	{
		std::vector<uint32> whats;
		for (const BMessage& message : Messages())
			whats.push_back(message.what);
		return whats;
	}

private:
	mutable std::mutex fLock;
	std::vector<BMessage> fMessages; // guarded by fLock
	sem_id fArrived;
	size_t fWaited = 0;
};

// Logs every message except the codes in passOn, which go to the default
// MessageReceived(). onMessage runs on the looper's thread first.
class RecordingHandler : public BHandler {
public:
	explicit RecordingHandler(const char* name = "recorder", std::vector<uint32> passOn = {})
		: BHandler(name), fPassOn(std::move(passOn))
	{
	}

	void MessageReceived(BMessage* message) override
	{
		if (std::find(fPassOn.begin(), fPassOn.end(), message->what) != fPassOn.end())
			return BHandler::MessageReceived(message);
		// Copied first: onMessage may detach and delete the message.
		BMessage copy(*message);
		bool locked = Looper()->IsLocked();
		if (onMessage)
			onMessage(message);
		log.Add(copy, locked);
	}

	std::function<void(BMessage*)> onMessage; // changed with the looper locked
	MessageLog log;

private:
	std::vector<uint32> fPassOn;
};

// Logs its own messages into a log that outlives it, quits only when
// allowQuit, and releases deleted (when valid) from its destructor.
class RecordingLooper : public BLooper {
public:
	explicit RecordingLooper(MessageLog& log, sem_id deleted = -1)
		: BLooper("recording looper"), fLog(log), fDeleted(deleted)
	{
	}

	~RecordingLooper() override
	{
		if (fDeleted >= 0)
			release_sem(fDeleted);
	}

	void MessageReceived(BMessage* message) override
	{
		if (onMessage)
			onMessage(message);
		fLog.Add(*message, IsLocked() && Thread() == find_thread(nullptr));
	}

	bool QuitRequested() override { return allowQuit; }

	std::function<void(BMessage*)> onMessage;
	bool allowQuit = true; // guarded by the looper's lock

private:
	MessageLog& fLog;
	sem_id fDeleted;
};

#endif // RECORDING_HANDLERS_H
