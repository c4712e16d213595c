#include <fstream>
#include <string>
#include <vector>

#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

#include <Alert.h>
#include <Message.h>
#include <Messenger.h>
#include <OS.h>

#include "AppHarness.h"
#include "GuiTest.h"
#include "WordServicesConstants.h"
#include "WordServicesHarness.h"
#include "ZIBapp.h"

namespace {

const char* const kSessionAlert = "Message|Unable to initiate Word Services session";
const char* const kRegistrationAlert =
	"Message|Error registering Larimo Address Book as a Word Services server.  This will "
	"prevent the Look Up E-Mail Address menu item from showing up in client applications.";

int32
count_of(sem_id sem)
{
	int32 count = 0;
	get_sem_count(sem, &count);
	return count;
}

// Clients of the application under test, each serving one text.
class AppWordServices : public AppTest {
protected:
	void TearDown() override
	{
		for (ClientLooper* client : fClients) {
			client->Lock();
			client->Quit();
		}
		AppTest::TearDown();
	}

	ClientLooper* NewClient(const std::string& text)
	{
		auto* client = new ClientLooper({text});
		client->Run();
		fClients.push_back(client);
		return client;
	}

	// Posts a request for client's text to app; an index < 0 sends none.
	static void Request(ZIBapp* app, ClientLooper* client, int32 index)
	{
		BMessage request(kMsgWordServicesBatch);
		if (index >= 0)
			request.AddInt32(kWordServicesIndexField, index);
		request.AddMessenger(kWordServicesTargetField, BMessenger(client->TextAt(0)));
		ASSERT_EQ(BMessenger(app).SendMessage(&request, client), B_OK);
	}

	// Runs the application's loop until every client got its 'WStp', and
	// some more so that a second one would arrive too.
	bool WaitForStops()
	{
		bool stopped = gui_test::process_until([this] {
			for (ClientLooper* client : fClients) {
				if (count_of(client->Stopped()) == 0)
					return false;
			}
			return true;
		});
		gui_test::process_events();
		return stopped;
	}

	static std::string TextOf(ClientLooper* client)
	{
		client->Lock();
		std::string text = client->TextAt(0)->Text();
		client->Unlock();
		return text;
	}

	std::vector<ClientLooper*> fClients;
};

TEST_F(AppWordServices, RequestsEndWithOneStopEachEvenUnregistered)
{
	// The index registry lies under XDG_DATA_HOME; a plain file there
	// leaves no room for it, and a start says so.
	std::ofstream(PathOf("data")) << "not a directory";
	std::string path = PathOf("book.zib");
	WriteBookFile(path, {"bob\t\t\t\t\t\t\t\t\t\t\t\t\t\t\tbob@example.com"});
	RunApp({path}, [this](ZIBapp* app) {
		ClientLooper* email = NewClient("see bob, please");
		ClientLooper* badIndex = NewClient("bob");
		ClientLooper* noIndex = NewClient("bob!");
		// Sent back to back: each new request finds the previous session
		// still held and must end it first.
		Request(app, email, kWordServicesEmailIndex);
		Request(app, badIndex, 2);
		Request(app, noIndex, -1);
		ASSERT_TRUE(WaitForStops());
		EXPECT_EQ(TextOf(email), "see bob@example.com, please");
		EXPECT_EQ(TextOf(badIndex), "bob");
		EXPECT_EQ(TextOf(noIndex), "bob@example.com!");
		for (ClientLooper* client : fClients)
			EXPECT_EQ(count_of(client->Stopped()), 1);

		// No active window: the text stays as it is, and no alert says so.
		app->SetActiveWindow(nullptr);
		ClientLooper* inactive = NewClient("bob");
		Request(app, inactive, kWordServicesEmailIndex);
		ASSERT_TRUE(WaitForStops());
		EXPECT_EQ(TextOf(inactive), "bob");
		EXPECT_EQ(count_of(inactive->Stopped()), 1);
		EXPECT_EQ(inactive->TextAt(0)->CountHilites(), 0);
	});
	EXPECT_EQ(fAlerts, (std::vector<std::string>{kRegistrationAlert, kSessionAlert}));
}

// Requests that cannot start, back to back: each client gets its 'WStp',
// and one real alert stands for all of them instead of one inside another.
TEST_F(AppWordServices, FailedRequestsShowOneAlertAtATime)
{
	BPrivate::set_alert_responder(nullptr);
	RunApp({}, [this](ZIBapp* app) {
		for (int i = 0; i < 20; i++)
			Request(app, NewClient("bob"), 7);
		ASSERT_TRUE(WaitForStops());
		int boxes = 0;
		for (QWidget* widget : QApplication::topLevelWidgets())
			boxes += qobject_cast<QMessageBox*>(widget) != nullptr && widget->isVisible();
		EXPECT_EQ(boxes, 1);
		QWidget* box = QApplication::activeModalWidget();
		ASSERT_NE(box, nullptr);
		QTest::keyClick(box, Qt::Key_Return);
		gui_test::process_events();
		EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
	});
}

} // namespace
