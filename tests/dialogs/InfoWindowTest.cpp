#include <string>
#include <vector>

#include <QTest>

#include <gtest/gtest.h>

#include <AppDefs.h>
#include <Button.h>
#include <Message.h>

#include "DialogTest.h"
#include "GuiTest.h"
#include "MyEntryTextView.h"
#include "ViewWidget.h"
#include "ZIBAboutWindow.h"
#include "ZIBTechWindow.h"
#include "ZIBWindow.h"

namespace {

const char* const kBrowser = "application/x-vnd.Be-NPOS";

using InfoWindow = DialogTest;

TEST_F(InfoWindow, AboutAndSupportShowTheirTextsAndOpenTheirPages)
{
	Run([this](ZIBWindow* window) {
		auto* about = Open<ZIBAboutWindow>(window, kMsgInfoAbout);
		EXPECT_STREQ(about->Title(), "About Larimo Address Book DIDE");
		EXPECT_EQ(about->Frame(), BRect(259, 297, 539, 502)) << "centred on 800 by 800";
		std::string lines = Fields(about).front()->Text();
		EXPECT_EQ(lines.substr(0, lines.find("\n\n")),
				  "Larimo Address Book DIDE\nVersion 1.0z17 "
				  "March 30, 1999\nCopyright 1999 Vornak Software");
		EXPECT_EQ(Button(about, "Web_Button")->Frame(), BRect(59, 173, 122, 189));
		EXPECT_EQ(Button(about, "Cancel_Button")->Frame(), BRect(159, 173, 222, 189));

		Click(Button(about, "Web_Button"));
		WaitClosed(about);
		EXPECT_EQ(fLaunches, (std::vector<std::string>{kBrowser, kMakerWebPage}));
		fLaunches.clear();

		// The support text cannot be selected; Enter opens the support page.
		auto* tech = Open<ZIBTechWindow>(window, kMsgInfoTech);
		MyEntryTextView* text = Fields(tech).front();
		const char* expected =
			"There are instructions available on the support \nweb page.\n\nWe cannot provide "
			"phone support for the free \nversion.  We will post common questions and \nanswers "
			"on the tech support web page.";
		EXPECT_STREQ(text->Text(), expected);
		QWidget* editor = BPrivate::ViewWidget::Of(text)->Inner();
		QTest::mousePress(editor, Qt::LeftButton, Qt::NoModifier, QPoint(2, 4));
		QTest::mouseMove(editor, QPoint(150, 40));
		QTest::mouseRelease(editor, Qt::LeftButton, Qt::NoModifier, QPoint(150, 40));
		gui_test::process_events();
		QImage image = gui_test::render(text);
		for (int y = 0; y < image.height(); y++) {
			for (int x = 0; x < image.width(); x++)
				ASSERT_NE(image.pixelColor(x, y), QColor(0, 0, 255)) << "no focus mark";
		}
		Press(text, Qt::Key_A, Qt::ControlModifier);
		Type(text, "x");
		int32 start, finish;
		text->GetSelection(&start, &finish);
		EXPECT_EQ(start, finish);
		EXPECT_STREQ(text->Text(), expected);

		// Enter, with no view focused, presses "Web Page".
		BMessage enter(B_KEY_DOWN);
		enter.AddString("bytes", "\n");
		tech->PostMessage(&enter);
		WaitClosed(tech);
		EXPECT_EQ(fLaunches,
				  (std::vector<std::string>{kBrowser, std::string(kMakerWebPage) + "support/"}));

		// "Cancel" opens nothing.
		Close(Open<ZIBTechWindow>(window, kMsgInfoTech), "Cancel_Button");
		EXPECT_EQ(fLaunches.size(), 2u);
	});
}

} // namespace
