#include <string>
#include <vector>

#include <QTest>

#include <gtest/gtest.h>

#include <AppDefs.h>
#include <Application.h>
#include <Button.h>
#include <Message.h>
#include <Roster.h>

#include "DialogTest.h"
#include "GuiTest.h"
#include "MyEntryTextView.h"
#include "ViewWidget.h"
#include "ZIBAboutWindow.h"
#include "ZIBTechWindow.h"
#include "ZIBWindow.h"
#include "ZIBapp.h"

namespace {

// Records every launch instead of starting a browser.
class InfoWindow : public DialogTest {
protected:
	void SetUp() override
	{
		DialogTest::SetUp();
		BPrivate::set_launch_handler(
			[this](const char* signature, const std::vector<std::string>& args) {
				fLaunches.push_back(signature);
				fLaunches.insert(fLaunches.end(), args.begin(), args.end());
				return B_OK;
			});
	}
	void TearDown() override
	{
		BPrivate::set_launch_handler(nullptr);
		DialogTest::TearDown();
	}

	// The info window the application opened on command.
	template <typename Window> static Window* Open(ZIBWindow* window, uint32 command)
	{
		Window* info = nullptr;
		Send(window, command, [&info] {
			for (int32 i = 0; i < be_app->CountWindows() && info == nullptr; i++)
				info = dynamic_cast<Window*>(be_app->WindowAt(i));
			return info != nullptr;
		});
		return info;
	}

	std::vector<std::string> fLaunches;
};

TEST_F(InfoWindow, AboutShowsTheVersionAndWebPageOpensTheProjectPage)
{
	Run([this](ZIBWindow* window) {
		auto* about = Open<ZIBAboutWindow>(window, kMsgInfoAbout);
		EXPECT_STREQ(about->Title(), "About Larimo Address Book DIDE");
		EXPECT_EQ(about->Frame(), BRect(259, 297, 539, 502)) << "centred on 800 by 800";
		MyEntryTextView* text = Fields(about).front();
		EXPECT_EQ(text->Frame(), BRect(10, 10, 270, 165));
		std::string lines = text->Text();
		EXPECT_EQ(lines.substr(0, lines.find("\n\n")),
				  "Larimo Address Book DIDE\nVersion 1.0z17 March 30, 1999\nCopyright 1999 Vornak "
				  "Software");
		EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 8) << "a paragraph of five lines";
		EXPECT_EQ(Button(about, "Web_Button")->Frame(), BRect(59, 173, 122, 189));
		EXPECT_EQ(Button(about, "Cancel_Button")->Frame(), BRect(159, 173, 222, 189));
		EXPECT_STREQ(Button(about, "Web_Button")->Label(), "Web Page");

		Click(Button(about, "Web_Button"));
		ASSERT_TRUE(gui_test::process_until([about] { return !IsOpen(about); }));
		EXPECT_EQ(fLaunches,
				  (std::vector<std::string>{"application/x-vnd.Be-NPOS", kMakerWebPage}));
	});
}

TEST_F(InfoWindow, SupportTextCannotBeSelectedOrChanged)
{
	Run([this](ZIBWindow* window) {
		auto* tech = Open<ZIBTechWindow>(window, kMsgInfoTech);
		MyEntryTextView* text = Fields(tech).front();
		EXPECT_EQ(text->Frame(), BRect(10, 10, 270, 155));
		const char* expected =
			"There are instructions available on the support \nweb page.\n\nWe cannot provide "
			"phone support for the free \nversion.  We will post common questions and \nanswers "
			"on the tech support web page.";
		EXPECT_STREQ(text->Text(), expected);
		QWidget* editor = BPrivate::ViewWidget::Of(text)->Inner();
		QTest::mousePress(editor, Qt::LeftButton, Qt::NoModifier, QPoint(2, 4));
		QTest::mouseMove(editor, QPoint(150, 40));
		QTest::mouseRelease(editor, Qt::LeftButton, Qt::NoModifier, QPoint(150, 40));
		Press(text, Qt::Key_A, Qt::ControlModifier);
		Type(text, "x");
		gui_test::process_events();
		int32 start, finish;
		text->GetSelection(&start, &finish);
		EXPECT_EQ(start, finish);
		EXPECT_STREQ(text->Text(), expected);

		// Cancel closes without opening anything.
		Click(Button(tech, "Cancel_Button"));
		ASSERT_TRUE(gui_test::process_until([tech] { return !IsOpen(tech); }));
		EXPECT_TRUE(fLaunches.empty());
	});
}

TEST_F(InfoWindow, EnterOpensTheSupportPage)
{
	Run([this](ZIBWindow* window) {
		auto* tech = Open<ZIBTechWindow>(window, kMsgInfoTech);
		BMessage enter(B_KEY_DOWN);
		enter.AddString("bytes", "\n");
		enter.AddInt32("modifiers", 0);
		tech->PostMessage(&enter);
		ASSERT_TRUE(gui_test::process_until([tech] { return !IsOpen(tech); }));
		EXPECT_EQ(fLaunches, (std::vector<std::string>{"application/x-vnd.Be-NPOS",
													   std::string(kMakerWebPage) + "support/"}));
	});
}

} // namespace
