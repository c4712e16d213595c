#include <vector>

#include <QAction>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Message.h>
#include <View.h>
#include <Window.h>

#include "GuiTestApplication.h"
#include "ViewWidget.h"

namespace {

class Menus : public testing::Test {
protected:
	void SetUp() override
	{
		fWindow = new gui_test::RecordingWindow(BRect(100, 100, 399, 299));
		fBar = new BMenuBar(BRect(0, 0, 299, 0), "bar");
		auto* file = new BMenu("File");
		file->AddItem(new BMenuItem("Quit", new BMessage('quit'), 'Q'));
		fEdit = new BMenu("Edit");
		fEdit->AddItem(new BMenuItem("Find", new BMessage('find'), 'F'));
		fEdit->AddItem(new BMenuItem("Find Again", new BMessage('fagn'), 'G'));
		fBar->AddItem(file);
		fBar->AddItem(fEdit);
		fWindow->AddChild(fBar);
		fView = new BView(BRect(0, 30, 99, 99), "view", B_FOLLOW_NONE, 0);
		fWindow->AddChild(fView);
		fWindow->Show();
	}

	void TearDown() override
	{
		if (fWindow->Lock())
			fWindow->Quit();
	}

	bool WaitFor(size_t count)
	{
		return gui_test::process_until([&] { return fWindow->fReceived.size() >= count; });
	}

	gui_test::RecordingWindow* fWindow = nullptr;
	BMenuBar* fBar = nullptr;
	BMenu* fEdit = nullptr;
	BView* fView = nullptr;
};

// An item's action in one of the bar's menus.
QAction*
action_named(QWidget* bar, const QString& text)
{
	for (QAction* action : bar->actions()) {
		for (QAction* inner :
			 action->menu() != nullptr ? action->menu()->actions() : QList<QAction*>()) {
			if (inner->text() == text)
				return inner;
		}
	}
	return nullptr;
}

// Chosen items post their messages: the dialog tests choose from the main
// window's menus.
TEST_F(Menus, CtrlShortcutsInvokeEnabledItemsOnce)
{
	QWidget* view = BPrivate::ViewWidget::Of(fView);
	QTest::keyClick(view, Qt::Key_G, Qt::ControlModifier);
	ASSERT_TRUE(WaitFor(1));
	fEdit->SetEnabled(false);
	EXPECT_FALSE(fEdit->FindItem("Find")->IsEnabled());
	QTest::keyClick(view, Qt::Key_F, Qt::ControlModifier);
	gui_test::process_events();
	fEdit->SetEnabled(true);
	QTest::keyClick(view, Qt::Key_Q, Qt::ControlModifier);
	ASSERT_TRUE(WaitFor(2));
	gui_test::process_events();
	ASSERT_EQ(fWindow->fReceived.size(), 2u);
	EXPECT_EQ(fWindow->fReceived[0].what, static_cast<uint32>('fagn'));
	EXPECT_EQ(fWindow->fReceived[1].what, static_cast<uint32>('quit'));
}

TEST_F(Menus, MarkAndEnableStateReachTheDesktopMenu)
{
	QWidget* bar = BPrivate::ViewWidget::Of(fBar)->Inner();
	BMenuItem* find = fEdit->FindItem('find');
	ASSERT_NE(find, nullptr);
	find->SetMarked(true);
	find->SetEnabled(false);
	QAction* action = action_named(bar, "Find");
	ASSERT_NE(action, nullptr);
	EXPECT_TRUE(action->isChecked());
	EXPECT_FALSE(action->isEnabled());
	ASSERT_TRUE(fEdit->RemoveItem(find));
	delete find;
	EXPECT_EQ(action_named(bar, "Find"), nullptr);
	EXPECT_EQ(fEdit->CountItems(), 1);
}

} // namespace
