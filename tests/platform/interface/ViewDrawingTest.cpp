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

QColor
qt(rgb_color color)
{
	return QColor(color.red, color.green, color.blue);
}

// Primitives drawn red (high) on blue (low) over a white 40x30 view, and the
// pixels that must and must not be touched.
TEST(ViewDrawing, PrimitivesCoverExactlyTheirPixels)
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
		BPoint scroll = B_ORIGIN;
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
		{"InvertRect flips only its pixels",
		 [](BView* view) {
			 view->FillRect(BRect(0, 0, 9, 9));
			 view->InvertRect(BRect(5, 5, 14, 14));
		 },
		 {{4, 4, red}, {5, 5, QColor(0, 255, 255)}, {14, 14, Qt::black}, {15, 14, white}}},
		{"scrolling moves the coordinate origin",
		 [](BView* view) {
			 EXPECT_EQ(view->Bounds(), BRect(95, 40, 134, 69));
			 view->FillRect(BRect(100, 50, 101, 51));
		 },
		 {{5, 10, red}, {6, 11, red}, {4, 10, white}},
		 BPoint(95, 40)},
	};
	auto* window = new BWindow(BRect(50, 50, 149, 99), "drawing", B_TITLED_WINDOW, 0);
	for (const Row& row : rows) {
		SCOPED_TRACE(row.name);
		auto* view = new ScriptedView([&row](BView* view) {
			view->SetHighColor(kRed);
			view->SetLowColor(kBlue);
			row.script(view);
		});
		window->AddChild(view);
		view->ScrollTo(row.scroll);
		QImage image = gui_test::render(view);
		window->RemoveChild(view);
		delete view;
		EXPECT_EQ(image.size(), QSize(40, 30));
		for (const Pixel& pixel : row.pixels)
			EXPECT_EQ(image.pixelColor(pixel.x, pixel.y), pixel.color) << pixel.x << "," << pixel.y;
	}
	if (window->Lock())
		window->Quit();
}

} // namespace
