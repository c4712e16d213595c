// The record list as a person drives it: scroll bars, the wheel and keys,
// sent as real Qt events to the real widgets.

#include <string>

#include <QApplication>
#include <QMenuBar>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <MenuBar.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <View.h>

#include "ABListView.h"
#include "AppHarness.h"
#include "GuiTest.h"
#include "ViewWidget.h"
#include "ZIBWindow.h"
#include "ZIBapp.h"
#include "ZIBook.h"

namespace {

const BRect kFrame(50, 50, 549, 349);

QWidget*
WidgetOf(BView* view)
{
	return BPrivate::ViewWidget::Of(view);
}

QScrollBar*
QtBar(ZIBWindow* window, orientation direction)
{
	return static_cast<QScrollBar*>(
		BPrivate::ViewWidget::Of(window->GetScrollv()->ScrollBar(direction))->Inner());
}

// Turns the wheel over widget by notches (positive: towards the user).
void
Wheel(QWidget* widget, int notches, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
	  bool sideways = false)
{
	QPoint angle = sideways ? QPoint(-120 * notches, 0) : QPoint(0, -120 * notches);
	QPointF where(20, 20);
	QWheelEvent event(where, widget->mapToGlobal(where), QPoint(), angle, Qt::NoButton, modifiers,
					  Qt::NoScrollPhase, false);
	QApplication::sendEvent(widget, &event);
	gui_test::process_events();
}

QRect
SubControl(QScrollBar* bar, QStyle::SubControl part)
{
	QStyleOptionSlider option;
	option.initFrom(bar);
	option.orientation = bar->orientation();
	option.minimum = bar->minimum();
	option.maximum = bar->maximum();
	option.sliderPosition = bar->sliderPosition();
	option.sliderValue = bar->value();
	option.singleStep = bar->singleStep();
	option.pageStep = bar->pageStep();
	return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
}

// One pixel row of the window's view from x to x + width.
std::vector<QRgb>
Strip(ZIBWindow* window, int x, int y, int width)
{
	QImage image = gui_test::render(window->GetWholeWindowView());
	std::vector<QRgb> pixels;
	for (int i = x; i < x + width; i++)
		pixels.push_back(image.pixel(i, y));
	return pixels;
}

class ListInput : public AppTest {
protected:
	void SetUp() override
	{
		AppTest::SetUp();
		fPath = PathOf("book.zib");
		std::vector<std::string> lines;
		for (int i = 0; i < 100; i++) {
			std::string line;
			for (int field = 0; field < kFieldCount; field++)
				line += "r" + std::to_string(i) + "f" + std::to_string(field) + "\t";
			lines.push_back(line);
		}
		WriteBookFile(fPath, lines, kFrame);
	}

	std::string fPath;
};

} // namespace

TEST_F(ListInput, TheSidewaysBarReachesEveryColumnAndMovesRowsAndTitlesTogether)
{
	RunApp({fPath}, [](ZIBapp* app) {
		ZIBWindow* window = WindowAt(app, 0);
		ABListView* list = window->GetABList();
		BView* titles = window->GetTitleButtonView();
		QScrollBar* bar = QtBar(window, B_HORIZONTAL);
		float visible = list->Bounds().Width() + 1;
		EXPECT_EQ(bar->maximum(), static_cast<int>(21 * 80 - visible));

		// The title strip (y = 28) and the first row (y = 45) before.
		int rowY = 37 + static_cast<int>(list->ItemFrame(0).bottom) - 3;
		std::vector<QRgb> titlesBefore = Strip(window, 30, 28, 200);
		std::vector<QRgb> rowBefore = Strip(window, 30, rowY, 200);

		QRect right = SubControl(bar, QStyle::SC_ScrollBarAddLine);
		QTest::mouseClick(bar, Qt::LeftButton, {}, right.center());
		gui_test::process_events();
		EXPECT_EQ(list->Bounds().left, 15);
		EXPECT_EQ(titles->Bounds().left, 15);
		EXPECT_EQ(Strip(window, 15, 28, 200), titlesBefore);
		EXPECT_EQ(Strip(window, 15, rowY, 200), rowBefore);
		// A refill keeps the sideways position and shows the first row.
		Wheel(WidgetOf(list), 1);
		Send(window, kMsgViewAll);
		EXPECT_EQ(list->Bounds().LeftTop(), BPoint(15, 0));
		EXPECT_EQ(window->GetTitleButtonView()->Bounds().left, 15);
		titles = window->GetTitleButtonView();

		Wheel(WidgetOf(list), 1, Qt::ShiftModifier);
		EXPECT_EQ(list->Bounds().left, 60) << "Shift and the wheel: three steps sideways";
		Wheel(WidgetOf(list), -1, Qt::NoModifier, true);
		EXPECT_EQ(list->Bounds().left, 15) << "a sideways wheel";
		EXPECT_EQ(list->Bounds().top, 0);

		// Dragging the knob to the far right shows the last column.
		QRect knob = SubControl(bar, QStyle::SC_ScrollBarSlider);
		QTest::mousePress(bar, Qt::LeftButton, {}, knob.center());
		QTest::mouseMove(bar, QPoint(bar->width() - 1, knob.center().y()));
		QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(bar->width() - 1, knob.center().y()));
		gui_test::process_events();
		EXPECT_EQ(list->Bounds().left, bar->maximum());
		EXPECT_EQ(titles->Bounds().left, bar->maximum());
		BView* birthday = titles->FindView("Birthday");
		ASSERT_NE(birthday, nullptr);
		EXPECT_EQ(birthday->Frame().right - titles->Bounds().left, list->Bounds().Width());

		// Fewer columns than the window is wide: nothing to scroll.
		Send(window, kMsgViewNamePhone);
		EXPECT_EQ(bar->maximum(), 0);
		EXPECT_EQ(list->Bounds().left, 0);
		EXPECT_EQ(window->GetTitleButtonView()->Bounds().left, 0);
	});
}

TEST_F(ListInput, KeysMoveAndExtendTheSelectionAndTheWheelScrollsThreeRowsANotch)
{
	RunApp({fPath}, [](ZIBapp* app) {
		ZIBWindow* window = WindowAt(app, 0);
		ABListView* list = window->GetABList();
		EXPECT_EQ(window->CurrentFocus(), list);
		QWidget* widget = WidgetOf(list);
		auto key = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
			QTest::keyClick(widget, key, modifiers);
			gui_test::process_events();
		};
		auto selection = [window] { return Selection(window); };
		float row = list->ItemFrame(1).top;
		// The rows a page key moves: one less than the rows shown.
		int32 page = static_cast<int32>((list->Bounds().Height() + 1) / row) - 1;

		key(Qt::Key_Down);
		key(Qt::Key_Down);
		EXPECT_EQ(selection(), (std::vector<int32>{1}));
		key(Qt::Key_Down, Qt::ShiftModifier);
		key(Qt::Key_Down, Qt::ShiftModifier);
		EXPECT_EQ(selection(), (std::vector<int32>{1, 2, 3}));
		key(Qt::Key_Up, Qt::ShiftModifier);
		EXPECT_EQ(selection(), (std::vector<int32>{1, 2}));
		key(Qt::Key_PageDown);
		EXPECT_EQ(selection(), (std::vector<int32>{2 + page}));
		key(Qt::Key_End);
		EXPECT_EQ(selection(), (std::vector<int32>{99}));
		EXPECT_EQ(list->Bounds().bottom, list->ItemFrame(99).bottom) << "the last row is shown";
		key(Qt::Key_PageUp);
		EXPECT_EQ(selection(), (std::vector<int32>{99 - page}));
		key(Qt::Key_Home, Qt::ShiftModifier);
		EXPECT_EQ(selection().size(), static_cast<size_t>(100 - page));
		EXPECT_EQ(list->Bounds().top, 0);

		Wheel(widget, 2);
		EXPECT_EQ(list->Bounds().top, 6 * row);
		EXPECT_EQ(QtBar(window, B_VERTICAL)->value(), static_cast<int>(6 * row));
		EXPECT_EQ(window->GetTitleButtonView()->Bounds().top, 0);
		Wheel(widget, -5);
		EXPECT_EQ(list->Bounds().top, 0);
	});
}

TEST_F(ListInput, TheMenuBarTakesClicksDownToItsLowerEdge)
{
	RunApp({fPath}, [](ZIBapp* app) {
		ZIBWindow* window = WindowAt(app, 0);
		QWidget* top = WidgetOf(window->GetWholeWindowView());
		int bottom = WidgetOf(window->KeyMenuBar())->geometry().bottom();
		EXPECT_GE(bottom, 16);
		QMenuBar* bar = qobject_cast<QMenuBar*>(top->childAt(QPoint(10, bottom)));
		ASSERT_NE(bar, nullptr);
		QTest::mouseClick(bar, Qt::LeftButton, {}, bar->mapFrom(top, QPoint(10, bottom)));
		EXPECT_TRUE(gui_test::process_until([] { return QApplication::activePopupWidget(); }));
		if (QWidget* popup = QApplication::activePopupWidget())
			popup->close();
	});
}
