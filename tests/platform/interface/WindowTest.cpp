#include <string>
#include <vector>

#include <QTest>

#include <gtest/gtest.h>

#include <AppDefs.h>
#include <Application.h>
#include <View.h>
#include <Window.h>

#include "GuiTestApplication.h"
#include "ViewWidget.h"

namespace {

// Records the hooks that the window's input messages reach.
class RecordingView : public BView {
public:
	RecordingView(BRect frame, uint32 mode)
		: BView(frame, "recording", mode, B_WILL_DRAW | B_FRAME_EVENTS)
	{
	}

	void MouseDown(BPoint where) override { fEvents.push_back("down " + Point(where)); }
	void MouseUp(BPoint where) override { fEvents.push_back("up " + Point(where)); }
	void KeyDown(const char* bytes, int32 numBytes) override
	{
		fEvents.push_back("key " + std::string(bytes, numBytes));
	}
	void FrameResized(float width, float height) override
	{
		fEvents.push_back("resized " + Point(BPoint(width, height)));
	}

	static std::string Point(BPoint point)
	{
		return std::to_string(static_cast<int>(point.x)) + "," +
			   std::to_string(static_cast<int>(point.y));
	}

	std::vector<std::string> fEvents;
};

// A window that answers QuitRequested() as told.
class TestWindow : public BWindow {
public:
	TestWindow(bool* destroyed)
		: BWindow(BRect(100, 100, 299, 199), "test", B_TITLED_WINDOW, 0), fDestroyed(destroyed)
	{
	}
	~TestWindow() override { *fDestroyed = true; }

	bool QuitRequested() override
	{
		fAsked++;
		return fAgree;
	}
	void FrameResized(float width, float height) override
	{
		fResized.push_back(BPoint(width, height));
	}

	bool* fDestroyed;
	bool fAgree = false;
	int fAsked = 0;
	std::vector<BPoint> fResized;
};

class Window : public testing::Test {
protected:
	void SetUp() override
	{
		fWindow = new TestWindow(&fDestroyed);
		fWindow->Show();
	}
	void TearDown() override
	{
		if (!fDestroyed && fWindow->Lock())
			fWindow->Quit();
	}

	bool fDestroyed = false;
	TestWindow* fWindow = nullptr;
};

TEST_F(Window, CloseBoxAsksAndOnlyAnAgreeingWindowCloses)
{
	QWidget* widget = BPrivate::ViewWidget::Of(fWindow->FindView("top view"))->window();
	widget->close();
	ASSERT_TRUE(gui_test::process_until([this] { return fWindow->fAsked == 1; }));
	EXPECT_FALSE(fDestroyed);
	EXPECT_TRUE(widget->isVisible());

	fWindow->fAgree = true;
	widget->close();
	EXPECT_TRUE(gui_test::process_until([this] { return fDestroyed; }));
}

TEST_F(Window, ApplicationQuitRequestedStopsAtAVeto)
{
	ASSERT_TRUE(be_app->Lock());
	EXPECT_FALSE(be_app->QuitRequested());
	EXPECT_FALSE(fDestroyed);
	fWindow->fAgree = true;
	EXPECT_TRUE(be_app->QuitRequested());
	EXPECT_TRUE(fDestroyed);
	EXPECT_EQ(be_app->CountWindows(), 0);
	be_app->Unlock();
}

// Frame() is the content area, an inclusive rectangle.
TEST_F(Window, ResizingModesFollowTheParent)
{
	struct Row {
		uint32 mode;
		BRect expected;
	};
	const Row rows[] = {
		{B_FOLLOW_LEFT | B_FOLLOW_TOP, BRect(10, 10, 29, 29)},
		{B_FOLLOW_ALL, BRect(10, 10, 79, 59)},
		{B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM, BRect(60, 40, 79, 59)},
		{B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP, BRect(10, 10, 79, 29)},
		{B_FOLLOW_LEFT | B_FOLLOW_TOP_BOTTOM, BRect(10, 10, 29, 59)},
	};
	std::vector<RecordingView*> views;
	for (const Row& row : rows) {
		views.push_back(new RecordingView(BRect(10, 10, 29, 29), row.mode));
		fWindow->AddChild(views.back());
	}
	EXPECT_EQ(fWindow->Bounds(), BRect(0, 0, 199, 99));
	fWindow->ResizeBy(50, 30);
	EXPECT_EQ(fWindow->Frame(), BRect(100, 100, 349, 229));
	for (size_t i = 0; i < views.size(); i++) {
		SCOPED_TRACE(i);
		EXPECT_EQ(views[i]->Frame(), rows[i].expected);
		QRect geometry = BPrivate::ViewWidget::Of(views[i])->geometry();
		EXPECT_EQ(geometry.width(), rows[i].expected.IntegerWidth() + 1);
	}
	EXPECT_EQ(views[1]->fEvents, std::vector<std::string>{"resized 69,49"});
	// Showing reported nothing; the resize is reported once, in pixels - 1.
	ASSERT_TRUE(gui_test::process_until([this] { return !fWindow->fResized.empty(); }));
	gui_test::process_events();
	EXPECT_EQ(fWindow->fResized, std::vector<BPoint>{BPoint(249, 129)});
}

// Enter in a field presses the default button: the dialog tests.
TEST_F(Window, MouseAndKeyEventsReachTheViewHooksInViewCoordinates)
{
	auto* view = new RecordingView(BRect(20, 20, 119, 69), B_FOLLOW_NONE);
	fWindow->AddChild(view);
	view->ScrollTo(BPoint(0, 100));
	QWidget* widget = BPrivate::ViewWidget::Of(view);
	QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, QPoint(5, 6));
	QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, QPoint(5, 6));
	QTest::keyClick(widget, Qt::Key_A);
	QTest::keyClick(widget, Qt::Key_Down);
	ASSERT_TRUE(gui_test::process_until([view] { return view->fEvents.size() == 4; }));
	std::string down(1, B_DOWN_ARROW);
	EXPECT_EQ(view->fEvents,
			  (std::vector<std::string>{"down 5,106", "up 5,106", "key a", "key " + down}));
}

} // namespace
