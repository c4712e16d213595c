#include <functional>

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <View.h>
#include <Window.h>

#include "GuiTestApplication.h"

namespace {

const rgb_color kRed = {255, 0, 0, 255};
const rgb_color kBlue = {0, 0, 255, 255};

class ScriptedView : public BView {
public:
	explicit ScriptedView(std::function<void(BView*)> script)
		: BView(BRect(0, 0, 39, 29), "scripted", B_FOLLOW_NONE, B_WILL_DRAW),
		  fScript(std::move(script))
	{
	}

	void Draw(BRect) override { fScript(this); }

private:
	std::function<void(BView*)> fScript;
};

// A 40x30 view in a window, white, drawn by script.
class ViewDrawing : public testing::Test {
protected:
	void TearDown() override
	{
		if (fWindow != nullptr && fWindow->Lock())
			fWindow->Quit();
	}

	QImage Draw(std::function<void(BView*)> script, BPoint scroll = B_ORIGIN)
	{
		fWindow = new BWindow(BRect(50, 50, 149, 99), "drawing", B_TITLED_WINDOW, 0);
		auto* view = new ScriptedView(std::move(script));
		fWindow->AddChild(view);
		view->ScrollTo(scroll);
		return gui_test::render(view);
	}

	BWindow* fWindow = nullptr;
};

QColor
qt(rgb_color color)
{
	return QColor(color.red, color.green, color.blue);
}

TEST_F(ViewDrawing, FillRectCoversInclusiveEdges)
{
	QImage image = Draw([](BView* view) {
		view->SetHighColor(kRed);
		view->FillRect(BRect(2, 3, 5, 7));
	});
	ASSERT_EQ(image.size(), QSize(40, 30));
	EXPECT_EQ(image.pixelColor(2, 3), qt(kRed));
	EXPECT_EQ(image.pixelColor(5, 7), qt(kRed));
	EXPECT_EQ(image.pixelColor(6, 7), Qt::white);
	EXPECT_EQ(image.pixelColor(5, 8), Qt::white);
	EXPECT_EQ(image.pixelColor(1, 3), Qt::white);
}

TEST_F(ViewDrawing, PatternsUseHighAndLowColours)
{
	QImage image = Draw([](BView* view) {
		view->SetHighColor(kRed);
		view->SetLowColor(kBlue);
		view->FillRect(BRect(0, 0, 3, 3), B_SOLID_LOW);
		view->FillRect(BRect(8, 0, 15, 7), B_MIXED_COLORS);
	});
	EXPECT_EQ(image.pixelColor(3, 3), qt(kBlue));
	// Alternate pixels: high where the pattern bit is set.
	EXPECT_EQ(image.pixelColor(8, 0), qt(kRed));
	EXPECT_EQ(image.pixelColor(9, 0), qt(kBlue));
	EXPECT_EQ(image.pixelColor(8, 1), qt(kBlue));
	EXPECT_EQ(image.pixelColor(9, 1), qt(kRed));
}

TEST_F(ViewDrawing, LinesIncludeBothEndsAndMoveThePen)
{
	QImage image = Draw([](BView* view) {
		view->SetHighColor(kRed);
		view->StrokeLine(BPoint(2, 10), BPoint(20, 10));
		view->StrokeLine(BPoint(20, 15));
		view->StrokeRect(BRect(30, 2, 35, 6));
	});
	EXPECT_EQ(image.pixelColor(2, 10), qt(kRed));
	EXPECT_EQ(image.pixelColor(20, 10), qt(kRed));
	EXPECT_EQ(image.pixelColor(1, 10), Qt::white);
	EXPECT_EQ(image.pixelColor(21, 10), Qt::white);
	EXPECT_EQ(image.pixelColor(20, 9), Qt::white);
	EXPECT_EQ(image.pixelColor(20, 15), qt(kRed));
	EXPECT_EQ(image.pixelColor(20, 16), Qt::white);
	EXPECT_EQ(image.pixelColor(30, 2), qt(kRed));
	EXPECT_EQ(image.pixelColor(35, 6), qt(kRed));
	EXPECT_EQ(image.pixelColor(36, 6), Qt::white);
	EXPECT_EQ(image.pixelColor(33, 4), Qt::white);
}

TEST_F(ViewDrawing, InvertRectFlipsOnlyItsPixels)
{
	QImage image = Draw([](BView* view) {
		view->SetHighColor(kRed);
		view->FillRect(BRect(0, 0, 9, 9));
		view->InvertRect(BRect(5, 5, 14, 14));
	});
	EXPECT_EQ(image.pixelColor(4, 4), qt(kRed));
	EXPECT_EQ(image.pixelColor(5, 5), QColor(0, 255, 255));
	EXPECT_EQ(image.pixelColor(14, 14), Qt::black);
	EXPECT_EQ(image.pixelColor(15, 14), Qt::white);
}

TEST_F(ViewDrawing, TextSitsOnItsBaseline)
{
	font_height height;
	QImage image = Draw([&height](BView* view) {
		view->GetFontHeight(&height);
		view->DrawString("HHH", BPoint(2, 20));
	});
	int top = image.height();
	int bottom = -1;
	for (int y = 0; y < image.height(); y++) {
		for (int x = 0; x < image.width(); x++) {
			if (image.pixelColor(x, y) != Qt::white) {
				top = std::min(top, y);
				bottom = std::max(bottom, y);
			}
		}
	}
	// Capitals stand on the baseline and reach up by less than the ascent.
	EXPECT_EQ(bottom, 19);
	EXPECT_GE(top, 20 - static_cast<int>(height.ascent) - 1);
}

TEST_F(ViewDrawing, ScrollingMovesTheCoordinateOrigin)
{
	BRect bounds;
	QImage image = Draw(
		[&bounds](BView* view) {
			bounds = view->Bounds();
			view->SetHighColor(kRed);
			view->FillRect(BRect(100, 50, 101, 51));
		},
		BPoint(95, 40));
	EXPECT_EQ(bounds, BRect(95, 40, 134, 69));
	EXPECT_EQ(image.pixelColor(5, 10), qt(kRed));
	EXPECT_EQ(image.pixelColor(6, 11), qt(kRed));
	EXPECT_EQ(image.pixelColor(4, 10), Qt::white);
}

} // namespace
