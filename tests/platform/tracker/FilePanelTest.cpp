#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <AppDefs.h>
#include <Entry.h>
#include <FilePanel.h>
#include <Message.h>
#include <Messenger.h>
#include <Path.h>
#include <Window.h>

#include "GuiTestApplication.h"
#include "TestDirectory.h"

namespace {

class FilePanel : public TestDirectory {
protected:
	void SetUp() override
	{
		TestDirectory::SetUp();
		fWindow = new gui_test::RecordingWindow(BRect(10, 10, 109, 109));
		fWindow->Show();
		fTarget = BMessenger(fWindow);
	}

	void TearDown() override
	{
		if (fWindow->Lock())
			fWindow->Quit();
		TestDirectory::TearDown();
	}

	std::vector<BMessage>& Received(size_t count)
	{
		gui_test::process_until([&] { return fWindow->fReceived.size() >= count; });
		gui_test::process_events();
		return fWindow->fReceived;
	}

	gui_test::RecordingWindow* fWindow = nullptr;
	BMessenger fTarget;
};

TEST_F(FilePanel, SaveSendsDirectoryAndNameThenCancelAndACancelAlone)
{
	BMessage model('SvFl');
	BFilePanel panel(B_SAVE_PANEL, &fTarget, nullptr, 0, false, &model);
	panel.Show();
	ASSERT_EQ(BPrivate::accept_file_panel(&panel, {PathOf("Friends.zib")}), B_OK);
	std::vector<BMessage>& received = Received(2);
	ASSERT_EQ(received.size(), 2u);
	EXPECT_EQ(received[0].what, static_cast<uint32>('SvFl'));
	entry_ref directory;
	const char* name = nullptr;
	ASSERT_EQ(received[0].FindRef("directory", &directory), B_OK);
	ASSERT_EQ(received[0].FindString("name", &name), B_OK);
	EXPECT_STREQ(name, "Friends.zib");
	EXPECT_EQ(std::string(BPath(&directory).Path()), fPath.string());
	EXPECT_EQ(received[1].what, static_cast<uint32>(B_CANCEL));
	int32 oldWhat = 0;
	EXPECT_EQ(received[1].FindInt32("old_what", &oldWhat), B_OK);
	EXPECT_EQ(static_cast<uint32>(oldWhat), static_cast<uint32>('SvFl'));
	EXPECT_FALSE(panel.IsShowing());

	// Closed without a choice, it sends only B_CANCEL; a save into a
	// directory that does not exist is refused, not sent.
	panel.Show();
	BPrivate::cancel_file_panel(&panel);
	EXPECT_EQ(Received(3).size(), 3u);
	EXPECT_EQ(received[2].what, static_cast<uint32>(B_CANCEL));
	EXPECT_NE(BPrivate::accept_file_panel(&panel, {PathOf("missing/x.zib")}), B_OK);
	ASSERT_EQ(Received(4).size(), 4u);
	EXPECT_EQ(received[3].what, static_cast<uint32>(B_CANCEL));
}

} // namespace
