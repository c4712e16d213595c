#include "WindowWidget.h"

#include <QCloseEvent>
#include <QMoveEvent>
#include <QResizeEvent>

#include <AppDefs.h>
#include <InterfaceDefs.h>
#include <Message.h>
#include <Window.h>

#include "MessagePoints.h"

namespace BPrivate {

WindowWidget::WindowWidget(BWindow* window) : fWindow(window)
{
}

WindowWidget*
WindowWidget::Of(BWindow* window)
{
	return window->fWidget.get();
}

void
WindowWidget::closeEvent(QCloseEvent* event)
{
	// The window decides in QuitRequested(); Quit() then closes it.
	event->ignore();
	fWindow->PostMessage(B_QUIT_REQUESTED);
}

void
WindowWidget::resizeEvent(QResizeEvent* event)
{
	QWidget::resizeEvent(event);
	float width = static_cast<float>(event->size().width() - 1);
	float height = static_cast<float>(event->size().height() - 1);
	if (fWindow->Lock()) {
		fWindow->_ContentResized(width, height);
		fWindow->Unlock();
	}
	if (event->size() == fReported.size())
		return;
	fReported.setSize(event->size());
	BMessage message(B_WINDOW_RESIZED);
	message.AddInt32("width", static_cast<int32>(width));
	message.AddInt32("height", static_cast<int32>(height));
	fWindow->PostMessage(&message);
}

void
WindowWidget::moveEvent(QMoveEvent* event)
{
	QWidget::moveEvent(event);
	if (geometry().topLeft() == fReported.topLeft())
		return;
	fReported.moveTopLeft(geometry().topLeft());
	BMessage message(B_WINDOW_MOVED);
	add_point(&message, "where", BPoint(geometry().x(), geometry().y()));
	fWindow->PostMessage(&message);
}

void
WindowWidget::changeEvent(QEvent* event)
{
	QWidget::changeEvent(event);
	if (event->type() != QEvent::ActivationChange)
		return;
	BMessage message(B_WINDOW_ACTIVATED);
	message.AddBool("active", isActiveWindow());
	fWindow->PostMessage(&message);
}

} // namespace BPrivate
