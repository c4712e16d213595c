#include "GuiTestApplication.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <Application.h>
#include <View.h>

#include "ViewWidget.h"

namespace gui_test {

namespace {

class ApplicationEnvironment : public testing::Environment {
public:
	void SetUp() override { fApplication = new BApplication("application/x-vnd.test-gui"); }
	void TearDown() override { delete fApplication; }

private:
	BApplication* fApplication = nullptr;
};

const auto* sEnvironment = testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

} // namespace

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
