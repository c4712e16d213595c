#include <string>
#include <vector>

#include <QTest>

#include <gtest/gtest.h>

#include <ListItem.h>
#include <ListView.h>
#include <Message.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <Window.h>

#include "GuiTestApplication.h"
#include "ViewWidget.h"

namespace {

const uint32 kSelection = 'mlsc';
const uint32 kInvocation = 'mldc';

// A row that fills its frame in its own shade, darker when selected.
class ShadeItem : public BListItem {
public:
	explicit ShadeItem(uint8 shade) : fShade(shade) {}

	void DrawItem(BView* owner, BRect frame, bool) override
	{
		owner->SetHighColor(IsSelected() ? 0 : fShade, fShade, fShade);
		owner->FillRect(frame);
		fDrawn++;
	}

	uint8 fShade;
	int fDrawn = 0;
};

// Logs the list's messages as "what:index,index".
class ListWindow : public BWindow {
public:
	ListWindow() : BWindow(BRect(100, 100, 299, 299), "list", B_TITLED_WINDOW, 0) {}

	void MessageReceived(BMessage* message) override
	{
		std::string entry = message->what == kSelection ? "sel:" : "inv:";
		int32 index;
		for (int32 i = 0; message->FindInt32("index", i, &index) == B_OK; i++)
			entry += (i > 0 ? "," : "") + std::to_string(index);
		fLog.push_back(entry);
	}

	std::vector<std::string> fLog;
};

class ListView : public testing::Test {
protected:
	void SetUp() override
	{
		fWindow = new ListWindow;
		fList =
			new BListView(BRect(0, 0, 185, 99), "list", B_MULTIPLE_SELECTION_LIST, B_FOLLOW_ALL);
		fList->SetSelectionMessage(new BMessage(kSelection));
		fList->SetInvocationMessage(new BMessage(kInvocation));
		fWindow->AddChild(new BScrollView("scroll", fList, B_FOLLOW_ALL, 0, false, true));
		for (int i = 0; i < 20; i++) {
			fItems.push_back(std::make_unique<ShadeItem>(static_cast<uint8>(100 + i)));
			fList->AddItem(fItems.back().get());
		}
		fWindow->Show();
		fRow = static_cast<int>(fList->ItemFrame(0).Height()) + 1;
	}

	void TearDown() override
	{
		if (fWindow->Lock())
			fWindow->Quit();
	}

	void Click(int32 row, Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool twice = false)
	{
		QPoint at(10, row * fRow + fRow / 2 - static_cast<int>(fList->Bounds().top));
		QWidget* widget = BPrivate::ViewWidget::Of(fList);
		if (twice)
			QTest::mouseDClick(widget, Qt::LeftButton, modifiers, at);
		else
			QTest::mouseClick(widget, Qt::LeftButton, modifiers, at);
	}

	std::vector<std::string> Log(size_t count)
	{
		gui_test::process_until([&] { return fWindow->fLog.size() >= count; });
		return fWindow->fLog;
	}

	ListWindow* fWindow = nullptr;
	BListView* fList = nullptr;
	std::vector<std::unique_ptr<ShadeItem>> fItems;
	int fRow = 0;
};

// Keys that move the selection, and scrolling to it: the window's list
// input tests.
TEST_F(ListView, ClicksSelectToggleExtendAndADoubleClickOrEnterInvokes)
{
	Click(2);
	Click(5, Qt::ShiftModifier);
	Click(3, Qt::ControlModifier);
	Click(7);
	EXPECT_EQ(Log(4), (std::vector<std::string>{"sel:2", "sel:2,3,4,5", "sel:2,4,5", "sel:7"}));
	EXPECT_EQ(fList->CurrentSelection(0), 7);
	EXPECT_EQ(fList->CurrentSelection(1), -1);
	Click(4);
	Click(4, Qt::NoModifier, true);
	QTest::keyClick(BPrivate::ViewWidget::Of(fList), Qt::Key_Return);
	std::vector<std::string> log = Log(7);
	EXPECT_EQ(log[4], "sel:4");
	EXPECT_EQ(log[5], "inv:4");
	EXPECT_EQ(log.back(), "inv:4");
}

TEST_F(ListView, ScrollingDrawsOnlyTheVisibleRowsAtTheirPlace)
{
	fList->ScrollBar(B_VERTICAL)->SetValue(static_cast<float>(fRow * 10));
	for (auto& item : fItems)
		item->fDrawn = 0;
	QImage image = gui_test::render(fList);
	EXPECT_EQ(fItems[9]->fDrawn, 0);
	EXPECT_EQ(fItems[10]->fDrawn, 1);
	EXPECT_EQ(fItems[19]->fDrawn, 0);
	EXPECT_EQ(image.pixelColor(5, 0), QColor(110, 110, 110));
	EXPECT_EQ(image.pixelColor(5, fRow), QColor(111, 111, 111));
}

} // namespace
