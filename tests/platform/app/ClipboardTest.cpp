#include <Clipboard.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include <Message.h>
#include <OS.h>

#include "ClipboardBackend.h"
#include "RecordingHandlers.h"

namespace {

// Stands in for the desktop: logs what is written and serves the last of it.
class RecordingBackend : public BPrivate::ClipboardBackend {
public:
	status_t Write(const std::vector<BPrivate::ClipboardItem>& items) override
	{
		std::lock_guard<std::mutex> lock(fLock);
		written.push_back(items);
		return B_OK;
	}

	status_t Read(std::vector<BPrivate::ClipboardItem>* items) override
	{
		std::lock_guard<std::mutex> lock(fLock);
		items->clear();
		if (!written.empty())
			*items = written.back();
		return B_OK;
	}

	std::mutex fLock;
	std::vector<std::vector<BPrivate::ClipboardItem>> written; // guarded by fLock
};

class ClipboardTest : public testing::Test {
protected:
	void SetUp() override { BPrivate::set_clipboard_backend(&fDesktop); }
	void TearDown() override { BPrivate::set_clipboard_backend(nullptr); }

	RecordingBackend fDesktop;
};

} // namespace

// One thread at a time; a commit publishes every form at once, without a
// terminator, and nothing else.
TEST_F(ClipboardTest, OneThreadCommitsEveryFormAtOnce)
{
	Sem locked;
	std::atomic<bool> otherHasIt = false;
	ASSERT_TRUE(be_clipboard->Lock());
	std::thread other([&] {
		EXPECT_EQ(be_clipboard->Data(), nullptr);
		EXPECT_EQ(be_clipboard->Commit(), B_NOT_ALLOWED);
		be_clipboard->Lock();
		otherHasIt = true;
		release_sem(locked.id);
		be_clipboard->Unlock();
	});
	snooze(20000); // a chance for a faulty lock to let the other thread in
	EXPECT_FALSE(otherHasIt);
	const std::string text("Ann  Lee \n\tOslo", 15);
	be_clipboard->Clear();
	be_clipboard->Data()->AddInt32("not a form", 7);
	be_clipboard->Data()->AddData("text/plain", B_MIME_TYPE, text.data(), text.size());
	be_clipboard->Data()->AddData("text/vcard", B_MIME_TYPE, "BEGIN:VCARD", 11);
	ASSERT_EQ(be_clipboard->Commit(), B_OK);
	be_clipboard->Unlock();
	EXPECT_TRUE(acquired(locked.id));
	other.join();
	EXPECT_EQ(fDesktop.written, (std::vector<std::vector<BPrivate::ClipboardItem>>{
									{{"text/plain", text}, {"text/vcard", "BEGIN:VCARD"}}}));
}
