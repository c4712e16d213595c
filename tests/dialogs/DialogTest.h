#ifndef DIALOG_TEST_H
#define DIALOG_TEST_H

#include <functional>
#include <string>
#include <vector>

#include <Qt>

#include "AppHarness.h"

class BButton;
class BView;
class BWindow;
class MyEntryTextView;
class ZIBWindow;

// Runs the application on a book of five records (nicknames n0..n4) and
// drives its dialogs with real key and mouse events.
class DialogTest : public AppTest {
protected:
	void SetUp() override;

	// Runs body with the book's main window, shown and filled.
	void Run(const std::function<void(ZIBWindow*)>& body);

	// Sends command to window and runs the events until until() holds.
	static void Send(
		BWindow* window, uint32 command, const std::function<bool()>& until = [] { return true; });

	// One key press per character, as a keyboard with those keys sends them.
	static void Type(BView* view, const char* text);
	static void Press(BView* view, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
	static void Click(BButton* button);

	// The dialog's text fields in tree order.
	static std::vector<MyEntryTextView*> Fields(BWindow* dialog);
	static BButton* Button(BWindow* dialog, const char* name);
	static std::vector<int32> Selection(ZIBWindow* window);
	// Whether window is still open.
	static bool IsOpen(BWindow* window);

	std::string fPath;
};

#endif // DIALOG_TEST_H
