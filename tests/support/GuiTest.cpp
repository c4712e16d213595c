#include "GuiTest.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include "ViewWidget.h"

namespace gui_test {

bool
process_until(const std::function<bool()>& condition)
{
	QDeadlineTimer deadline(10000);
	while (!condition()) {
		if (deadline.hasExpired())
			return false;
		QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
		QCoreApplication::sendPostedEvents();
	}
	return true;
}

void
process_events()
{
	QCoreApplication::processEvents();
	QCoreApplication::sendPostedEvents();
	QCoreApplication::processEvents();
}

QImage
render(BView* view)
{
	return BPrivate::ViewWidget::Of(view)->grab().toImage();
}

} // namespace gui_test
