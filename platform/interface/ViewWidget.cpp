#include "ViewWidget.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <AppDefs.h>
#include <Message.h>
#include <OS.h>
#include <View.h>
#include <Window.h>

#include "MessagePoints.h"
#include "QtConversions.h"

uint32
modifiers()
{
	return BPrivate::ViewWidget::ModifiersFor(QGuiApplication::queryKeyboardModifiers());
}

namespace BPrivate {

namespace {

// Keys that the platform reports as one control byte.
struct KeyByte {
	int key;
	char byte;
};

const KeyByte kKeyBytes[] = {
	{Qt::Key_Backspace, B_BACKSPACE}, {Qt::Key_Return, B_ENTER},
	{Qt::Key_Enter, B_ENTER},         {Qt::Key_Tab, B_TAB},
	{Qt::Key_Backtab, B_TAB},         {Qt::Key_Escape, B_ESCAPE},
	{Qt::Key_Left, B_LEFT_ARROW},     {Qt::Key_Right, B_RIGHT_ARROW},
	{Qt::Key_Up, B_UP_ARROW},         {Qt::Key_Down, B_DOWN_ARROW},
	{Qt::Key_Insert, B_INSERT},       {Qt::Key_Delete, B_DELETE},
	{Qt::Key_Home, B_HOME},           {Qt::Key_End, B_END},
	{Qt::Key_PageUp, B_PAGE_UP},      {Qt::Key_PageDown, B_PAGE_DOWN},
};

uint32
buttons_for(Qt::MouseButtons buttons)
{
	uint32 result = 0;
	if (buttons & Qt::LeftButton)
		result |= B_PRIMARY_MOUSE_BUTTON;
	if (buttons & Qt::RightButton)
		result |= B_SECONDARY_MOUSE_BUTTON;
	if (buttons & Qt::MiddleButton)
		result |= B_TERTIARY_MOUSE_BUTTON;
	return result;
}

} // namespace

ViewWidget::ViewWidget(BView* view) : fView(view), fPainter(nullptr), fInner(nullptr)
{
	setAttribute(Qt::WA_OpaquePaintEvent, false);
	setFocusPolicy(Qt::ClickFocus);
	// What Qt draws for the view (button labels, text, menus) uses the
	// platform's font too, so it fits the view's frame.
	setFont(to_qt(*be_plain_font));
}

ViewWidget*
ViewWidget::Of(const BView* view)
{
	return view != nullptr ? view->fWidget : nullptr;
}

void
ViewWidget::SetInner(QWidget* inner)
{
	fInner = inner;
	inner->setParent(this);
	inner->setGeometry(rect().marginsRemoved(fInnerMargins));
	setFocusProxy(inner);
	inner->show();
}

void
ViewWidget::SetInnerMargins(const QMargins& margins)
{
	fInnerMargins = margins;
	if (fInner != nullptr)
		fInner->setGeometry(rect().marginsRemoved(fInnerMargins));
}

uint32
ViewWidget::ModifiersFor(Qt::KeyboardModifiers modifiers)
{
	uint32 result = 0;
	if (modifiers & Qt::ShiftModifier)
		result |= B_SHIFT_KEY;
	// Command-key combinations are typed with Ctrl on this desktop.
	if (modifiers & Qt::ControlModifier)
		result |= B_COMMAND_KEY | B_CONTROL_KEY;
	if (modifiers & Qt::AltModifier)
		result |= B_OPTION_KEY;
	return result;
}

void
ViewWidget::paintEvent(QPaintEvent* event)
{
	QPainter painter(this);
	painter.setRenderHint(QPainter::Antialiasing, false);
	painter.setRenderHint(QPainter::TextAntialiasing, false);
	BPoint origin = fView->Bounds().LeftTop();
	painter.translate(-origin.x, -origin.y);
	fPainter = &painter;
	fView->_Paint(from_qt(event->rect()).OffsetByCopy(origin.x, origin.y));
	fPainter = nullptr;
}

void
ViewWidget::mousePressEvent(QMouseEvent* event)
{
	_PostMouse(B_MOUSE_DOWN, event, 1);
}

void
ViewWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
	_PostMouse(B_MOUSE_DOWN, event, 2);
}

void
ViewWidget::mouseReleaseEvent(QMouseEvent* event)
{
	_PostMouse(B_MOUSE_UP, event, 0);
}

bool
ViewWidget::KeyMessage(const QKeyEvent* event, BMessage* message)
{
	QByteArray bytes = event->text().toUtf8();
	// Command-key combinations report the letter, not a control byte.
	if ((event->modifiers() & Qt::ControlModifier) != 0 && event->key() >= Qt::Key_A &&
		event->key() <= Qt::Key_Z) {
		bytes = QByteArray(1, static_cast<char>('a' + (event->key() - Qt::Key_A)));
	}
	for (const KeyByte& entry : kKeyBytes) {
		if (entry.key == event->key()) {
			bytes = QByteArray(1, entry.byte);
			break;
		}
	}
	if (bytes.isEmpty())
		return false;
	message->what = B_KEY_DOWN;
	message->AddInt64("when", system_time());
	message->AddInt32("modifiers", static_cast<int32>(ModifiersFor(event->modifiers())));
	message->AddInt32("key", static_cast<int32>(event->nativeScanCode()));
	message->AddInt32("raw_char", static_cast<uint8>(bytes[0]));
	for (char byte : bytes)
		message->AddInt8("byte", static_cast<int8>(byte));
	message->AddString("bytes", bytes.constData());
	return true;
}

void
ViewWidget::Post(BView* view, BMessage* message)
{
	if (BWindow* window = view->Window())
		window->PostMessage(message, view);
}

void
ViewWidget::keyPressEvent(QKeyEvent* event)
{
	BMessage message;
	if (!KeyMessage(event, &message)) {
		QWidget::keyPressEvent(event);
		return;
	}
	Post(fView, &message);
}

void
ViewWidget::wheelEvent(QWheelEvent* event)
{
	// One notch of a wheel turns it by 120.
	float dx = -event->angleDelta().x() / 120.0f;
	float dy = -event->angleDelta().y() / 120.0f;
	if ((event->modifiers() & Qt::ShiftModifier) != 0 && dx == 0)
		std::swap(dx, dy);
	if (dx == 0 && dy == 0) {
		event->ignore();
		return;
	}
	BMessage message(B_MOUSE_WHEEL_CHANGED);
	message.AddInt64("when", system_time());
	message.AddFloat("be:wheel_delta_x", dx);
	message.AddFloat("be:wheel_delta_y", dy);
	Post(fView, &message);
}

void
ViewWidget::focusInEvent(QFocusEvent* event)
{
	QWidget::focusInEvent(event);
	if (!fView->IsFocus())
		fView->MakeFocus(true);
}

void
ViewWidget::resizeEvent(QResizeEvent* event)
{
	QWidget::resizeEvent(event);
	if (fInner != nullptr)
		fInner->setGeometry(rect().marginsRemoved(fInnerMargins));
}

bool
ViewWidget::focusNextPrevChild(bool)
{
	return false;
}

void
ViewWidget::_PostMouse(uint32 what, QMouseEvent* event, int32 clicks)
{
	BPoint where = from_qt(event->position().toPoint()) + fView->Bounds().LeftTop();
	BMessage message(what);
	message.AddInt64("when", system_time());
	add_point(&message, "where", where);
	message.AddInt32("modifiers", static_cast<int32>(ModifiersFor(event->modifiers())));
	message.AddInt32("buttons", static_cast<int32>(buttons_for(event->buttons())));
	if (what == B_MOUSE_DOWN)
		message.AddInt32("clicks", clicks);
	Post(fView, &message);
}

} // namespace BPrivate
