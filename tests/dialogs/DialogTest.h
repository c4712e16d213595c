#ifndef DIALOG_TEST_H
#define DIALOG_TEST_H

#include <functional>
#include <string>
#include <vector>

#include <Qt>

#include <Application.h>

#include "AppHarness.h"

class BButton;
class BView;
class BWindow;
class MyEntryTextView;
class ZIBWindow;

// Runs the application on a book of five records (nicknames n0..n4), with
// every browser launch recorded instead of made, and drives its dialogs
// with real key and mouse events.
class DialogTest : public AppTest {
protected:
	void SetUp() override;
	void TearDown() override;

	// Runs body with the book's main window, shown and filled.
	void Run(const std::function<void(ZIBWindow*)>& body);

	// One key press per character; or one key.
	static void Type(BView* view, const char* text);
	static void Press(BView* view, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
	static void Click(BButton* button);
	// Clicks menu in the window's menu bar, then its item.
	static void Choose(ZIBWindow* window, const char* menu, const char* item);

	// The first open window of type T; the one command opened.
	template <class T> static T* Find()
	{
		for (int32 i = 0; i < be_app->CountWindows(); i++) {
			if (auto* window = dynamic_cast<T*>(be_app->WindowAt(i)))
				return window;
		}
		return nullptr;
	}
	template <class T> static T* Open(BWindow* window, uint32 command)
	{
		Send(window, command, [] { return Find<T>() != nullptr; });
		return Find<T>();
	}
	// Clicks the dialog's button and waits until the dialog is gone.
	static void Close(BWindow* dialog, const char* button);
	static void WaitClosed(BWindow* window);
	// Waits for an import report whose text starts with prefix, closes it
	// and answers its text.
	static std::string TakeReport(const char* prefix = "");

	// The bytes of be_clipboard's item of type.
	static std::string Clipboard(const char* type = "text/plain");
	// The dialog's text fields in tree order.
	static std::vector<MyEntryTextView*> Fields(BWindow* dialog);
	static BButton* Button(BWindow* dialog, const char* name);
	static bool IsOpen(BWindow* window);

	std::string fPath;
	// Signature, then arguments, of each launch.
	std::vector<std::string> fLaunches;
};

#endif // DIALOG_TEST_H
