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
#include "ClipboardText.h"
#include "RecordingHandlers.h"

namespace {

// Stands in for the desktop: logs what is written, serves what the test sets.
class RecordingBackend : public BPrivate::ClipboardBackend {
public:
	status_t WriteText(const char* data, size_t length) override
	{
		std::lock_guard<std::mutex> lock(fLock);
		written.emplace_back(data, length);
		desktop = written.back();
		return B_OK;
	}

	status_t ReadText(std::string* text) override
	{
		std::lock_guard<std::mutex> lock(fLock);
		*text = desktop;
		return B_OK;
	}

	std::mutex fLock;
	std::vector<std::string> written; // guarded by fLock
	std::string desktop;              // guarded by fLock
};

class ClipboardTest : public testing::Test {
protected:
	void SetUp() override { BPrivate::set_clipboard_backend(&fDesktop); }
	void TearDown() override { BPrivate::set_clipboard_backend(nullptr); }

	void SetDesktop(const std::string& text)
	{
		std::lock_guard<std::mutex> lock(fDesktop.fLock);
		fDesktop.desktop = text;
	}

	RecordingBackend fDesktop;
};

} // namespace

TEST_F(ClipboardTest, CommitPublishesTheBytesWithoutTerminator)
{
	uint32 before = be_clipboard->SystemCount();
	const std::string text("Ann  Lee \n\tOslo", 15);
	ASSERT_EQ(put_text(text), B_OK);
	EXPECT_EQ(fDesktop.written, std::vector<std::string>{text});
	EXPECT_EQ(be_clipboard->SystemCount(), before + 1);
	EXPECT_EQ(be_clipboard->LocalCount(), before + 1);
}

TEST_F(ClipboardTest, LockPicksUpWhatAnotherProgramCopied)
{
	ASSERT_EQ(put_text("ours"), B_OK);
	uint32 committed = be_clipboard->SystemCount();
	// An uncommitted change outlives the lock until it is reverted.
	ASSERT_TRUE(be_clipboard->Lock());
	be_clipboard->Clear();
	be_clipboard->Data()->AddData("text/plain", B_MIME_TYPE, "draft", 5);
	be_clipboard->Unlock();
	ASSERT_TRUE(be_clipboard->Lock());
	EXPECT_EQ(text_of(be_clipboard->Data()), "draft");
	EXPECT_EQ(be_clipboard->Revert(), B_OK);
	EXPECT_EQ(text_of(be_clipboard->Data()), "ours");
	be_clipboard->Unlock();

	SetDesktop(std::string("th\xe9", 3));
	EXPECT_EQ(be_clipboard->SystemCount(), committed + 1);
	EXPECT_EQ(be_clipboard->LocalCount(), committed);
	ASSERT_TRUE(be_clipboard->Lock());
	EXPECT_EQ(text_of(be_clipboard->Data()), std::string("th\xe9", 3));
	be_clipboard->Unlock();
	SetDesktop("");
	ASSERT_TRUE(be_clipboard->Lock());
	EXPECT_TRUE(be_clipboard->Data()->IsEmpty());
	be_clipboard->Unlock();
}

TEST_F(ClipboardTest, OneThreadAtATime)
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
	be_clipboard->Unlock();
	EXPECT_TRUE(acquired(locked.id));
	other.join();
	EXPECT_TRUE(fDesktop.written.empty());
}
