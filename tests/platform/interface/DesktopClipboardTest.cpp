#include <DesktopClipboard.h>

#include <memory>
#include <string>
#include <thread>

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>
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
// backend goes with the application at the end of the test.
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

// Text copied to and pasted from other programs: the record dialog tests.
TEST_F(DesktopClipboardTest, OurBytesSurviveEvenIfNotUtf8)
{
	const std::string bytes("caf\xe9 \xff", 6);
	ASSERT_EQ(put_text(bytes), B_OK);
	EXPECT_EQ(clipboard_text(), bytes);
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

TEST_F(DesktopClipboardTest, CardsAndTextGoTogetherBothWays)
{
	ASSERT_TRUE(be_clipboard->Lock());
	be_clipboard->Clear();
	be_clipboard->Data()->AddData("text/plain", B_MIME_TYPE, "Ann", 3);
	be_clipboard->Data()->AddData("text/vcard", B_MIME_TYPE, "BEGIN:VCARD\r\n", 13);
	ASSERT_EQ(be_clipboard->Commit(), B_OK);
	be_clipboard->Unlock();
	const QMimeData* data = QGuiApplication::clipboard()->mimeData();
	EXPECT_EQ(data->text(), QString("Ann"));
	EXPECT_EQ(data->data("text/vcard"), QByteArray("BEGIN:VCARD\r\n"));

	// Another program's cards come without a stale text of ours.
	auto* other = new QMimeData;
	other->setData("text/vcard", "card");
	QGuiApplication::clipboard()->setMimeData(other);
	ASSERT_TRUE(be_clipboard->Lock());
	const void* bytes = nullptr;
	ssize_t size = 0;
	EXPECT_EQ(text_of(be_clipboard->Data()), "(none)");
	ASSERT_EQ(be_clipboard->Data()->FindData("text/vcard", B_MIME_TYPE, &bytes, &size), B_OK);
	EXPECT_EQ(std::string(static_cast<const char*>(bytes), size), "card");
	be_clipboard->Unlock();
}
