#ifndef APP_HARNESS_H
#define APP_HARNESS_H

#include <functional>
#include <string>
#include <vector>

#include <Rect.h>

#include "TestDirectory.h"

class BWindow;
class ZIBapp;
class ZIBWindow;

// Each test runs a real application: launched with arguments, in a home of
// its own, its alerts answered and recorded instead of shown.
class AppTest : public TestDirectory {
protected:
	void SetUp() override;
	void TearDown() override;

	// Runs the application launched with files; body runs inside its loop
	// once a main window is open, then the application is asked to quit.
	void RunApp(const std::vector<std::string>& files, const std::function<void(ZIBapp*)>& body);

	// Writes a book file with its type and, unless frame is invalid, its
	// frame attribute; lines are tab-separated records.
	void WriteBookFile(const std::string& path, const std::vector<std::string>& lines,
					   BRect frame = BRect()) const;
	std::string LastFileSaved() const;
	// Stores path as "LastFileSaved" before the application starts.
	void SetLastFileSaved(const std::string& path) const;

	// Posts command to window, then runs the events until until() holds.
	static void Send(
		BWindow* window, uint32 command, const std::function<bool()>& until = [] { return true; });
	// The main window at index of the application's window list.
	static ZIBWindow* WindowAt(ZIBapp* app, int32 index);
	static int32 CountWindows(ZIBapp* app);
	// Whether the item of command and its menu are both enabled.
	static bool MenuEnabled(ZIBWindow* window, uint32 command);
	// The selected rows of the window's record list.
	static std::vector<int32> Selection(ZIBWindow* window);

	std::vector<std::string> fAlerts;
};

#endif // APP_HARNESS_H
