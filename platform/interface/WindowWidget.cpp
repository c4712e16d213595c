#include "WindowWidget.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMoveEvent>
#include <QResizeEvent>

#include <AppDefs.h>
#include <Entry.h>
#include <InterfaceDefs.h>
#include <Message.h>
#include <Window.h>

#include "MessagePoints.h"

namespace BPrivate {

WindowWidget::WindowWidget(BWindow* window) : fWindow(window)
{
	setAcceptDrops(true);
}

void
WindowWidget::dragEnterEvent(QDragEnterEvent* event)
{
	for (const QUrl& url : event->mimeData()->urls()) {
		if (url.isLocalFile()) {
			event->acceptProposedAction();
			return;
		}
	}
}

void
WindowWidget::dropEvent(QDropEvent* event)
{
	// As files dropped from Tracker arrive: B_SIMPLE_DATA with one "refs"
	// per file and the "_drop_point_" in screen coordinates.
	BMessage message(B_SIMPLE_DATA);
	for (const QUrl& url : event->mimeData()->urls()) {
		entry_ref ref;
		if (url.isLocalFile() &&
			get_ref_for_path(url.toLocalFile().toUtf8().constData(), &ref) == B_OK)
			message.AddRef("refs", &ref);
	}
	if (message.IsEmpty())
		return;
	QPoint where = mapToGlobal(event->position().toPoint());
	add_point(&message, "_drop_point_", BPoint(where.x(), where.y()));
	event->acceptProposedAction();
	fWindow->PostMessage(&message, fWindow);
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
