#include "DialogTest.h"

#include <algorithm>
#include <functional>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTest>

#include <Application.h>
#include <Button.h>
#include <Message.h>

#include "ABListView.h"
#include "GuiTest.h"
#include "MyEntryTextView.h"
#include "ViewWidget.h"
#include "ZIBWindow.h"

namespace {

QWidget*
KeyTarget(BView* view)
{
	BPrivate::ViewWidget* widget = BPrivate::ViewWidget::Of(view);
	return widget->Inner() != nullptr ? widget->Inner() : widget;
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
				   "n3\tDan\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\twww.d.org", "n4\tEve"});
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
DialogTest::Send(BWindow* window, uint32 command, const std::function<bool()>& until)
{
	window->PostMessage(command);
	gui_test::process_events();
	ASSERT_TRUE(gui_test::process_until(until));
}

void
DialogTest::Type(BView* view, const char* text)
{
	QString characters = QString::fromUtf8(text);
	for (int i = 0; i < characters.size(); i++) {
		QString character = characters.mid(i, characters[i].isHighSurrogate() ? 2 : 1);
		i += character.size() - 1;
		int key =
			character == "\t" ? static_cast<int>(Qt::Key_Tab) : character.toUpper()[0].unicode();
		QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, character);
		QCoreApplication::sendEvent(KeyTarget(view), &press);
		gui_test::process_events();
	}
}

void
DialogTest::Press(BView* view, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
	// The text a keyboard sends with the key; Ctrl-letters send control codes.
	QString text;
	if (key >= Qt::Key_A && key <= Qt::Key_Z)
		text = QChar((modifiers & Qt::ControlModifier) != 0 ? key - Qt::Key_A + 1 : key);
	else if (key == Qt::Key_Tab)
		text = "\t";
	else if (key == Qt::Key_Return)
		text = "\r";
	QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
	QCoreApplication::sendEvent(KeyTarget(view), &press);
	gui_test::process_events();
}

void
DialogTest::Click(BButton* button)
{
	QWidget* widget = BPrivate::ViewWidget::Of(button);
	QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
	gui_test::process_events();
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

std::vector<int32>
DialogTest::Selection(ZIBWindow* window)
{
	std::vector<int32> rows;
	for (int32 i = 0; window->GetABList()->CurrentSelection(i) >= 0; i++)
		rows.push_back(window->GetABList()->CurrentSelection(i));
	return rows;
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
