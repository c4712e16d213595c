#include "WindowGrab.h"

#include <QImage>
#include <QImageWriter>
#include <QString>

#include <Window.h>

#include "WindowWidget.h"

namespace BPrivate {

status_t
grab_window(BWindow* window, const char* path)
{
	if (window == nullptr || path == nullptr)
		return B_BAD_VALUE;
	// Pending updates first, so the image shows what the window shows.
	window->UpdateIfNeeded();
	QImage image = WindowWidget::Of(window)->grab().toImage();
	if (image.isNull())
		return B_BAD_VALUE;
	QImageWriter writer(QString::fromLocal8Bit(path), "png");
	return writer.write(image) ? B_OK : B_IO_ERROR;
}

} // namespace BPrivate
