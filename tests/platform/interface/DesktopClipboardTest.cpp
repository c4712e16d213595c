#include <DesktopClipboard.h>

#include <memory>
#include <string>
#include <thread>

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QString>

#include <gtest/gtest.h>

#include <Clipboard.h>
#include <Message.h>
#include <OS.h>

#include "../app/ClipboardText.h"
#include "TestDirectory.h"

namespace {

// be_clipboard's text, as a program reads it.
std::string
clipboard_text()
{
	if (!be_clipboard->Lock())
		return "(not locked)";
	std::string text = text_of(be_clipboard->Data());
	be_clipboard->Unlock();
	return text;
}

QString
desktop_text()
{
	return QGuiApplication::clipboard()->text();
}

// A QGuiApplication (offscreen) with the desktop clipboard installed; the
// backend goes with the application at the end of the test. Cards with
// their text, both ways: the edit menu tests.
class DesktopClipboardTest : public TestDirectory {
protected:
	void SetUp() override
	{
		TestDirectory::SetUp();
		fApplication = std::make_unique<QGuiApplication>(fArgc, fArgv);
		ASSERT_EQ(BPrivate::install_desktop_clipboard(), B_OK);
	}

	void TearDown() override
	{
		fApplication.reset();
		TestDirectory::TearDown();
	}

private:
	char fName[16] = "interface_tests";
	char* fArgv[2] = {fName, nullptr};
	int fArgc = 1;
	std::unique_ptr<QGuiApplication> fApplication;
};

} // namespace

TEST_F(DesktopClipboardTest, TextGoesBothWaysAndOurBytesSurviveEvenIfNotUtf8)
{
	const std::string bytes("caf\xe9 \xff", 6);
	ASSERT_EQ(put_text(bytes), B_OK);
	EXPECT_EQ(clipboard_text(), bytes);
	ASSERT_EQ(put_text("Ann  Lee \nOslo   "), B_OK);
	EXPECT_EQ(desktop_text(), QString("Ann  Lee \nOslo   "));

	// Once another program copies, its text counts.
	QGuiApplication::clipboard()->setText(QString::fromUtf8("Gr\xc3\xbc\xc3\x9f"
															"e"));
	EXPECT_EQ(clipboard_text(), "Gr\xc3\xbc\xc3\x9f"
								"e");
}

TEST_F(DesktopClipboardTest, OtherThreadsGoThroughTheGuiThread)
{
	std::thread([] { put_text("from a looper"); }).join();
	for (int i = 0; i < 1000 && desktop_text() != "from a looper"; i++) {
		QCoreApplication::processEvents();
		snooze(1000);
	}
	EXPECT_EQ(desktop_text(), QString("from a looper"));

	QGuiApplication::clipboard()->setText("seen on the GUI thread");
	std::string seen;
	std::thread([&] { seen = clipboard_text(); }).join();
	EXPECT_EQ(seen, "seen on the GUI thread");
}
