#include <functional>
#include <vector>

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

// A 40x30 view in a window of its own, white, drawn by script.
class ViewDrawing : public testing::Test {
protected:
	void TearDown() override { Close(); }

	void Close()
	{
		if (fWindow != nullptr && fWindow->Lock())
			fWindow->Quit();
		fWindow = nullptr;
	}

	QImage Draw(std::function<void(BView*)> script, BPoint scroll = B_ORIGIN)
	{
		Close();
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

// Primitives drawn red (high) on blue (low) over white, and the pixels
// that must and must not be touched.
TEST_F(ViewDrawing, PrimitivesCoverExactlyTheirPixels)
{
	struct Pixel {
		int x, y;
		QColor color;
	};
	const QColor red = qt(kRed), blue = qt(kBlue), white = Qt::white;
	struct Row {
		const char* name;
		std::function<void(BView*)> script;
		std::vector<Pixel> pixels;
	} rows[] = {
		{"FillRect covers inclusive edges",
		 [](BView* view) { view->FillRect(BRect(2, 3, 5, 7)); },
		 {{2, 3, red}, {5, 7, red}, {6, 7, white}, {5, 8, white}, {1, 3, white}}},
		// Alternate pixels: high where the pattern bit is set.
		{"patterns use high and low colours",
		 [](BView* view) {
			 view->FillRect(BRect(0, 0, 3, 3), B_SOLID_LOW);
			 view->FillRect(BRect(8, 0, 15, 7), B_MIXED_COLORS);
		 },
		 {{3, 3, blue}, {8, 0, red}, {9, 0, blue}, {8, 1, blue}, {9, 1, red}}},
		{"lines include both ends and move the pen",
		 [](BView* view) {
			 view->StrokeLine(BPoint(2, 10), BPoint(20, 10));
			 view->StrokeLine(BPoint(20, 15));
			 view->StrokeRect(BRect(30, 2, 35, 6));
		 },
		 {{2, 10, red},
		  {20, 10, red},
		  {1, 10, white},
		  {21, 10, white},
		  {20, 9, white},
		  {20, 15, red},
		  {20, 16, white},
		  {30, 2, red},
		  {35, 6, red},
		  {36, 6, white},
		  {33, 4, white}}},
		{"InvertRect flips only its pixels",
		 [](BView* view) {
			 view->FillRect(BRect(0, 0, 9, 9));
			 view->InvertRect(BRect(5, 5, 14, 14));
		 },
		 {{4, 4, red}, {5, 5, QColor(0, 255, 255)}, {14, 14, Qt::black}, {15, 14, white}}},
	};
	for (const Row& row : rows) {
		SCOPED_TRACE(row.name);
		QImage image = Draw([&row](BView* view) {
			view->SetHighColor(kRed);
			view->SetLowColor(kBlue);
			row.script(view);
		});
		ASSERT_EQ(image.size(), QSize(40, 30));
		for (const Pixel& pixel : row.pixels)
			EXPECT_EQ(image.pixelColor(pixel.x, pixel.y), pixel.color) << pixel.x << "," << pixel.y;
	}
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
