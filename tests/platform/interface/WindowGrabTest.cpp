#include <stdlib.h>
#include <unistd.h>

#include <string>

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <View.h>
#include <Window.h>
#include <WindowGrab.h>

#include "GuiTestApplication.h"
#include "TestDirectory.h"

namespace {

const rgb_color kRed = {255, 0, 0, 255};
const rgb_color kBlue = {0, 0, 255, 255};

// Paints its left half red and its right half blue.
class HalvesView : public BView {
public:
	explicit HalvesView(BRect frame) : BView(frame, "halves", B_FOLLOW_ALL, B_WILL_DRAW) {}

	void Draw(BRect) override
	{
		BRect bounds = Bounds();
		float middle = (bounds.left + bounds.right + 1) / 2;
		SetHighColor(kRed);
		FillRect(BRect(bounds.left, bounds.top, middle - 1, bounds.bottom));
		SetHighColor(kBlue);
		FillRect(BRect(middle, bounds.top, bounds.right, bounds.bottom));
	}
};

class WindowGrab : public TestDirectory {
protected:
	void TearDown() override
	{
		if (fWindow != nullptr && fWindow->Lock())
			fWindow->Quit();
		TestDirectory::TearDown();
	}

	BWindow* fWindow = nullptr;
};

// Never shown: the screenshot tool grabs windows that offscreen never
// exposes. The image is the content area, pixel for pixel.
TEST_F(WindowGrab, WritesTheContentAreaAsPngAndReportsWhatItCannotDo)
{
	// A 60x20 window whose view covers all but a 10-pixel strip at the top.
	fWindow = new BWindow(BRect(30, 40, 89, 59), "grab", B_TITLED_WINDOW, 0);
	fWindow->AddChild(new HalvesView(BRect(0, 10, 59, 19)));
	std::string path = PathOf("window.png");
	std::string missing = PathOf("no/such/folder/x.png");
	ASSERT_TRUE(fWindow->Lock());
	ASSERT_EQ(BPrivate::grab_window(fWindow, path.c_str()), B_OK);
	EXPECT_EQ(BPrivate::grab_window(nullptr, path.c_str()), B_BAD_VALUE);
	EXPECT_EQ(BPrivate::grab_window(fWindow, nullptr), B_BAD_VALUE);
	EXPECT_EQ(BPrivate::grab_window(fWindow, missing.c_str()), B_IO_ERROR);
	EXPECT_NE(access(missing.c_str(), F_OK), 0);
	fWindow->Unlock();

	QImage image(QString::fromStdString(path), "png");
	ASSERT_FALSE(image.isNull());
	ASSERT_EQ(image.size(), QSize(60, 20));
	EXPECT_EQ(image.pixelColor(0, 10), QColor(255, 0, 0));
	EXPECT_EQ(image.pixelColor(29, 19), QColor(255, 0, 0));
	EXPECT_EQ(image.pixelColor(30, 10), QColor(0, 0, 255));
	EXPECT_EQ(image.pixelColor(59, 19), QColor(0, 0, 255));
	EXPECT_NE(image.pixelColor(0, 9), QColor(255, 0, 0)) << "the view starts at y 10";
}

} // namespace
