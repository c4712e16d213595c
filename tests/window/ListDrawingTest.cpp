#include <QTest>

#include <gtest/gtest.h>

#include <AppDefs.h>
#include <Button.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Message.h>

#include "ABListView.h"
#include "ABookRecord.h"
#include "AppHarness.h"
#include "GuiTest.h"
#include "ViewWidget.h"
#include "WindowConstants.h"
#include "ZIBWindow.h"
#include "ZIBapp.h"
#include "ZIBook.h"

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kLilac = qRgb(225, 180, 225);

// The x of the first ink pixel at or right of x in rows top..bottom, or -1.
int
FirstInk(const QImage& image, int x, int top, int bottom)
{
	for (; x < image.width(); x++) {
		for (int y = top; y <= bottom; y++) {
			if (qGray(image.pixel(x, y)) < 128)
				return x;
		}
	}
	return -1;
}

class ListDrawing : public AppTest {
protected:
	void SetUp() override
	{
		AppTest::SetUp();
		fPath = PathOf("book.zib");
		WriteBookFile(fPath, {"IIII\tIIII\t\tIIII\t\t\t\t\tOslo\t\t\t\t\t\t\tIIII\tIIII",
							  "IIII\tIIII\t\tIIII\t\t\t\t\tbergen", "x\tx\t\tx\t\t\t\t\tAarhus",
							  "gjpy\tgjpy\t\t\t\t\t\t\tZug"});
	}

	std::string fPath;
};

} // namespace

TEST_F(ListDrawing, RowsDrawMarkedColumnsEightyPixelsApartOnAlternatingColours)
{
	RunApp({fPath}, [](ZIBapp* app) {
		ZIBWindow* window = WindowAt(app, 0);
		Send(window, kMsgViewNameEmail);
		ABListView* list = window->GetABList();
		QImage image = gui_test::render(list);
		// The top and bottom pixel row of each record's row.
		auto top = [list](int32 row) { return static_cast<int>(list->ItemFrame(row).top); };
		auto bottom = [list](int32 row) { return static_cast<int>(list->ItemFrame(row).bottom); };
		for (int column = 0; column < 4; column++) {
			int x = FirstInk(image, 80 * column, top(0), bottom(0));
			EXPECT_GE(x, 80 * column + 2) << column;
			EXPECT_LE(x, 80 * column + 4) << column;
		}
		// Nothing is drawn in a fifth column, and nothing below the baseline.
		EXPECT_EQ(FirstInk(image, 320, top(0), bottom(0)), -1);
		EXPECT_EQ(FirstInk(image, 0, bottom(0) - 1, bottom(0)), -1);
		EXPECT_NE(FirstInk(image, 0, bottom(0) - 4, bottom(0) - 2), -1);
		const int x = image.width() - 5;
		EXPECT_EQ(image.pixel(x, top(0) + 1), kWhite);
		EXPECT_EQ(image.pixel(x, top(1) + 1), qRgb(220, 255, 220));
		EXPECT_EQ(image.pixel(x, top(2) + 1), kWhite);
		// Descenders reach below the baseline and stay inside their row.
		EXPECT_NE(FirstInk(image, 0, bottom(3) - 1, bottom(3) - 1), -1);
		EXPECT_EQ(FirstInk(image, 0, top(3), top(3)), -1);

		list->Select(1);
		gui_test::process_events();
		EXPECT_EQ(gui_test::render(list).pixel(x, top(1) + 1), qRgb(35, 0, 35));
	});
}

TEST_F(ListDrawing, TitlesMatchTheColumnsInFieldOrderAndAreLilacWithABlackTopLine)
{
	RunApp({fPath}, [](ZIBapp* app) {
		ZIBWindow* window = WindowAt(app, 0);
		Send(window, kMsgViewNamePhone);
		BView* strip = window->GetTitleButtonView();
		EXPECT_EQ(strip->Frame().top, 20);
		ASSERT_EQ(strip->CountChildren(), 5);
		const char* names[] = {"First Name", "Last Name", "Phone Number", "Cell Number",
							   "FAX Number"};
		for (int32 i = 0; i < 5; i++) {
			BButton* title = static_cast<BButton*>(strip->ChildAt(i));
			EXPECT_STREQ(title->Label(), names[i]);
			EXPECT_EQ(title->Frame(), BRect(80 * i, 0, 80 * i + 79, 16));
		}

		// Dithered while pressed, without the black top line.
		BButton* title = static_cast<BButton*>(strip->ChildAt(0));
		QImage image = gui_test::render(title);
		EXPECT_EQ(image.pixel(40, 1), kLilac);
		EXPECT_EQ(image.pixel(41, 1), kLilac);
		for (QPoint black : {QPoint(40, 0), QPoint(79, 8), QPoint(40, 16)})
			EXPECT_EQ(image.pixel(black), qRgb(0, 0, 0)) << black.x() << "," << black.y();
		title->SetValue(B_CONTROL_ON);
		image = gui_test::render(title);
		EXPECT_NE(image.pixel(40, 1), image.pixel(41, 1));
		EXPECT_NE(image.pixel(40, 0), image.pixel(41, 0));

		BMessage nickname(kMsgViewField);
		nickname.AddInt32("index", 0);
		window->PostMessage(&nickname);
		gui_test::process_events();
		strip = window->GetTitleButtonView();
		ASSERT_EQ(strip->CountChildren(), 6);
		EXPECT_STREQ(static_cast<BButton*>(strip->ChildAt(0))->Label(), "Nickname");
	});
}

// Clicking a title sorts by that field, ignoring case. Only accents and case
// tell the two orders apart, so the order under the rules is the same in
// every locale the tests may run under.
TEST_F(ListDrawing, ClickingATitleSortsAndLanguageRulesHoldForEveryWindow)
{
	WriteBookFile(fPath, {"a\t\t\t\t\t\t\t\tZagreb", "b\t\t\t\t\t\t\t\t\xC3\x89vora",
						  "c\t\t\t\t\t\t\t\taalborg"});
	RunApp({fPath}, [this](ZIBapp* app) {
		BMessage refs(B_REFS_RECEIVED);
		entry_ref ref;
		get_ref_for_path(fPath.c_str(), &ref);
		refs.AddRef("refs", &ref);
		app->PostMessage(&refs);
		ASSERT_TRUE(gui_test::process_until([&] { return CountWindows(app) == 2; }));
		ZIBWindow* window = WindowAt(app, 0);
		auto item = [](ZIBWindow* owner) {
			return owner->KeyMenuBar()->FindItem(kMsgViewLanguageRules);
		};
		EXPECT_STREQ(item(window)->Label(), "Sort by Language Rules");
		EXPECT_FALSE(item(window)->IsMarked());

		auto cities = [window] {
			std::string cities;
			for (int32 i = 0; i < 3; i++)
				cities +=
					window->GetThisABook()->getRecord(i)->Field(kCityField) + std::string(" ");
			return cities;
		};
		// Clicks the "City" title; true once the book is in that order.
		auto sortsAs = [&](const std::string& order) {
			BView* city = window->GetTitleButtonView()->FindView("City");
			QTest::mouseClick(BPrivate::ViewWidget::Of(city), Qt::LeftButton, {}, QPoint(10, 8));
			return gui_test::process_until([&] { return cities() == order; });
		};
		window->GetABList()->Select(0);
		EXPECT_TRUE(sortsAs("aalborg Zagreb \xC3\x89vora ")) << cities();
		EXPECT_EQ(window->GetABList()->CurrentSelection(0), -1);
		EXPECT_FALSE(window->GetThisABook()->SeeIfDirty());
		Send(window, kMsgViewLanguageRules);
		EXPECT_TRUE(item(window)->IsMarked());
		EXPECT_TRUE(item(WindowAt(app, 1))->IsMarked());
		EXPECT_TRUE(sortsAs("aalborg \xC3\x89vora Zagreb ")) << cities();
		Send(WindowAt(app, 1), kMsgViewLanguageRules);
		EXPECT_FALSE(item(window)->IsMarked());
		EXPECT_TRUE(sortsAs("aalborg Zagreb \xC3\x89vora ")) << cities();
	});
}
