#include <string>
#include <vector>

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <Alert.h>
#include <AppDefs.h>
#include <Message.h>
#include <Messenger.h>
#include <Window.h>

#include "GuiTestApplication.h"

namespace {

// Shows a real alert for 'alrt' and notes what it handled, and when.
class AlertingWindow : public BWindow {
public:
	AlertingWindow() : BWindow(BRect(10, 10, 209, 109), "alerting", B_TITLED_WINDOW, 0) {}

	void MessageReceived(BMessage* message) override
	{
		if (message->what != 'alrt') {
			fLog.push_back("got " + std::to_string(message->what));
			return;
		}
		fLog.emplace_back("alert up");
		int32 which = (new BAlert("Note", "Could not open.", "OK"))->Go();
		fLog.push_back("alert gone " + std::to_string(which));
	}

	std::vector<std::string> fLog;
};

// While an alert stands, messages to its window and to any other looper
// wait in their queues, even a quit request; they are handled after it.
TEST(Alert, NoHandlerRunsWhileAnAlertStands)
{
	auto* window = new AlertingWindow;
	auto* other = new gui_test::RecordingWindow(BRect(300, 10, 399, 109));
	window->Show();
	other->Show();
	const BMessenger otherMessenger(other);
	bool otherAliveDuringAlert = false;
	std::vector<std::string> logDuringAlert;
	auto* timer = new QTimer;
	QObject::connect(timer, &QTimer::timeout, [&] {
		QWidget* box = QApplication::activeModalWidget();
		if (box == nullptr)
			return;
		timer->stop();
		BMessenger(window).SendMessage('late');
		otherMessenger.SendMessage('late');
		otherMessenger.SendMessage(B_QUIT_REQUESTED);
		QTest::qWait(100);
		logDuringAlert = window->fLog;
		otherAliveDuringAlert = otherMessenger.IsValid() && other->fReceived.empty();
		QTest::keyClick(box, Qt::Key_Return);
	});
	timer->start(10);
	BMessenger(window).SendMessage('alrt');
	ASSERT_TRUE(gui_test::process_until([&] { return window->fLog.size() == 3; }));
	delete timer;

	EXPECT_EQ(logDuringAlert, std::vector<std::string>{"alert up"});
	EXPECT_TRUE(otherAliveDuringAlert);
	EXPECT_EQ(window->fLog, (std::vector<std::string>{"alert up", "alert gone 0",
													  "got " + std::to_string(uint32('late'))}));
	EXPECT_TRUE(gui_test::process_until([&] { return !otherMessenger.IsValid(); }));
	if (window->Lock())
		window->Quit();
}

} // namespace
