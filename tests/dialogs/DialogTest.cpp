#include "DialogTest.h"

#include <functional>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <AppDefs.h>
#include <Application.h>
#include <Button.h>
#include <Clipboard.h>
#include <MenuBar.h>
#include <Message.h>
#include <Roster.h>

#include "GuiTest.h"
#include "ImportReportWindow.h"
#include "MyEntryTextView.h"
#include "ViewWidget.h"
#include "ZIBWindow.h"

namespace {

void
SendKey(BView* view, int key, Qt::KeyboardModifiers modifiers, const QString& text)
{
	BPrivate::ViewWidget* widget = BPrivate::ViewWidget::Of(view);
	QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
	QCoreApplication::sendEvent(widget->Inner() != nullptr ? widget->Inner() : widget, &press);
	gui_test::process_events();
}

QAction*
ActionNamed(const QList<QAction*>& actions, const QString& text)
{
	for (QAction* action : actions) {
		if (action->text() == text)
			return action;
	}
	return nullptr;
}

} // namespace

void
DialogTest::SetUp()
{
	AppTest::SetUp();
	fPath = PathOf("book.zib");
	// Nickname, first, middle, last name, ..., email 1 (15), web address (17).
	WriteBookFile(fPath,
				  {"n0\tAnn\t\tLee\t\t\t\t\tOslo\t\t\t\t\t\t\tANN@x.org", "n1\tBen\t\tJoanne", "n2",
				   "n3\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\twww.d.org", "n4\tEve"});
	BPrivate::set_launch_handler(
		[this](const char* signature, const std::vector<std::string>& args) {
			fLaunches.push_back(signature);
			fLaunches.insert(fLaunches.end(), args.begin(), args.end());
			return B_OK;
		});
}

void
DialogTest::TearDown()
{
	BPrivate::set_launch_handler(nullptr);
	AppTest::TearDown();
}

void
DialogTest::Run(const std::function<void(ZIBWindow*)>& body)
{
	RunApp({fPath}, [&body](ZIBapp* app) {
		ZIBWindow* window = WindowAt(app, 0);
		ASSERT_TRUE(gui_test::process_until([window] { return !window->IsHidden(); }));
		body(window);
	});
}

void
DialogTest::Type(BView* view, const char* text)
{
	QString characters = QString::fromUtf8(text);
	for (int i = 0; i < characters.size(); i++) {
		QString character = characters.mid(i, characters[i].isHighSurrogate() ? 2 : 1);
		i += character.size() - 1;
		SendKey(view,
				character == "\t" ? static_cast<int>(Qt::Key_Tab)
								  : character.toUpper()[0].unicode(),
				Qt::NoModifier, character);
	}
}

void
DialogTest::Press(BView* view, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
	// Ctrl-letters send control codes.
	QString text;
	if (key >= Qt::Key_A && key <= Qt::Key_Z && (modifiers & Qt::ControlModifier) != 0)
		text = QChar(key - Qt::Key_A + 1);
	SendKey(view, key, modifiers, text);
}

void
DialogTest::Click(BButton* button)
{
	QWidget* widget = BPrivate::ViewWidget::Of(button);
	QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
	gui_test::process_events();
}

void
DialogTest::Choose(ZIBWindow* window, const char* menu, const char* item)
{
	auto* bar = qobject_cast<QMenuBar*>(BPrivate::ViewWidget::Of(window->KeyMenuBar())->Inner());
	ASSERT_NE(bar, nullptr);
	QAction* title = ActionNamed(bar->actions(), menu);
	ASSERT_NE(title, nullptr) << menu;
	QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->actionGeometry(title).center());
	QMenu* items = title->menu();
	ASSERT_TRUE(gui_test::process_until([items] { return items->isVisible(); }));
	QAction* action = ActionNamed(items->actions(), item);
	ASSERT_NE(action, nullptr) << item;
	QTest::mouseClick(items, Qt::LeftButton, Qt::NoModifier,
					  items->actionGeometry(action).center());
	gui_test::process_events();
}

void
DialogTest::Close(BWindow* dialog, const char* button)
{
	Click(Button(dialog, button));
	WaitClosed(dialog);
}

void
DialogTest::WaitClosed(BWindow* window)
{
	ASSERT_TRUE(gui_test::process_until([window] { return !IsOpen(window); }));
}

std::string
DialogTest::TakeReport(const char* prefix)
{
	std::string text;
	EXPECT_TRUE(gui_test::process_until([&text, prefix] {
		ImportReportWindow* report = Find<ImportReportWindow>();
		text = report != nullptr ? report->Text() : "";
		return report != nullptr && text.rfind(prefix, 0) == 0;
	}));
	if (ImportReportWindow* report = Find<ImportReportWindow>()) {
		report->PostMessage(B_QUIT_REQUESTED);
		WaitClosed(report);
	}
	return text;
}

std::string
DialogTest::Clipboard(const char* type)
{
	if (!be_clipboard->Lock())
		return "(not locked)";
	const void* bytes;
	ssize_t size;
	std::string form;
	if (be_clipboard->Data()->FindData(type, B_MIME_TYPE, &bytes, &size) == B_OK)
		form.assign(static_cast<const char*>(bytes), size);
	be_clipboard->Unlock();
	return form;
}

std::vector<MyEntryTextView*>
DialogTest::Fields(BWindow* dialog)
{
	std::vector<MyEntryTextView*> fields;
	std::function<void(BView*)> collect = [&](BView* view) {
		if (auto* field = dynamic_cast<MyEntryTextView*>(view))
			fields.push_back(field);
		for (int32 i = 0; BView* child = view->ChildAt(i); i++)
			collect(child);
	};
	for (int32 i = 0; BView* child = dialog->ChildAt(i); i++)
		collect(child);
	return fields;
}

BButton*
DialogTest::Button(BWindow* dialog, const char* name)
{
	return dynamic_cast<BButton*>(dialog->FindView(name));
}

bool
DialogTest::IsOpen(BWindow* window)
{
	for (int32 i = 0; i < be_app->CountWindows(); i++) {
		if (be_app->WindowAt(i) == window)
			return true;
	}
	return false;
}
