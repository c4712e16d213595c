#include "AppHarness.h"

#include <fstream>

#include <QTimer>

#include <Alert.h>
#include <AppDefs.h>
#include <ApplicationPrivate.h>
#include <List.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Message.h>
#include <Node.h>

#include "ABListView.h"
#include "GuiTest.h"
#include "PreferenceSet.h"
#include "Preferences.h"
#include "ZIBWindow.h"
#include "ZIBapp.h"

void
AppTest::SetUp()
{
	TestDirectory::SetUp();
	BPrivate::set_alert_responder([this](const BAlert& alert) {
		fAlerts.push_back(std::string(alert.Title()) + "|" + alert.Text());
		return 0;
	});
}

void
AppTest::TearDown()
{
	BPrivate::set_alert_responder(nullptr);
	TestDirectory::TearDown();
}

void
AppTest::RunApp(const std::vector<std::string>& files, const std::function<void(ZIBapp*)>& body)
{
	std::vector<std::string> arguments = {"zibmo"};
	arguments.insert(arguments.end(), files.begin(), files.end());
	BPrivate::set_launch_arguments(arguments);
	ZIBapp* app = new ZIBapp;
	QTimer::singleShot(0, [app, &body] {
		gui_test::process_until([app] { return CountWindows(app) > 0; });
		body(app);
		app->PostMessage(B_QUIT_REQUESTED);
	});
	app->Run();
	delete app;
}

void
AppTest::WriteBookFile(const std::string& path, const std::vector<std::string>& lines,
					   BRect frame) const
{
	std::ofstream out(path, std::ios::binary | std::ios::trunc);
	for (const std::string& line : lines)
		out << line << '\n';
	out.close();
	BNode node(path.c_str());
	const char type[] = "application/x.vnd-vornak-zibfile";
	node.WriteAttr("BEOS:TYPE", 'MIMS', 0, type, sizeof(type));
	if (frame.IsValid()) {
		float values[4] = {frame.left, frame.top, frame.right, frame.bottom};
		node.WriteAttr("ZIBWndwFrame", B_RECT_TYPE, 0, values, sizeof(values));
	}
}

std::string
AppTest::LastFileSaved() const
{
	Preferences preferences("x-vnd.vornak-zibmo");
	PreferenceSet settings(preferences, "settings", true);
	const void* data = nullptr;
	int32 size = 0;
	type_code type = 0;
	if (settings.GetData("LastFileSaved", data, size, type) != B_OK)
		return std::string();
	return static_cast<const char*>(data);
}

void
AppTest::SetLastFileSaved(const std::string& path) const
{
	Preferences preferences("x-vnd.vornak-zibmo");
	PreferenceSet settings(preferences, "settings", true);
	settings.SetData("LastFileSaved", path.c_str(), path.size() + 1, B_STRING_TYPE);
	settings.Save();
}

void
AppTest::Send(BWindow* window, uint32 command, const std::function<bool()>& until)
{
	window->PostMessage(command);
	gui_test::process_events();
	ASSERT_TRUE(gui_test::process_until(until));
}

ZIBWindow*
AppTest::WindowAt(ZIBapp* app, int32 index)
{
	return static_cast<ZIBWindow*>(app->GetWindowList()->ItemAt(index));
}

int32
AppTest::CountWindows(ZIBapp* app)
{
	return app->GetWindowList()->CountItems();
}

bool
AppTest::MenuEnabled(ZIBWindow* window, uint32 command)
{
	BMenuItem* item = window->KeyMenuBar()->FindItem(command);
	return item->IsEnabled() && item->Menu()->IsEnabled();
}

std::vector<int32>
AppTest::Selection(ZIBWindow* window)
{
	std::vector<int32> rows;
	for (int32 i = 0; window->GetABList()->CurrentSelection(i) >= 0; i++)
		rows.push_back(window->GetABList()->CurrentSelection(i));
	return rows;
}
