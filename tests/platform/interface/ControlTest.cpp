#include <cmath>
#include <string>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <Alert.h>
#include <Button.h>
#include <Invoker.h>
#include <Message.h>
#include <StringView.h>
#include <TextView.h>
#include <Window.h>

#include "GuiTestApplication.h"
#include "ViewWidget.h"

namespace {

// Moves on at Tab instead of inserting it, as dialogs' fields do.
class FieldView : public BTextView {
public:
	FieldView() : BTextView(BRect(0, 0, 199, 19), "field", BRect(0, 0, 199, 19)) {}

	void KeyDown(const char* bytes, int32 numBytes) override
	{
		if (bytes[0] == B_TAB)
			fTabs++;
		else
			BTextView::KeyDown(bytes, numBytes);
	}

	int fTabs = 0;
};

class Controls : public testing::Test {
protected:
	void SetUp() override
	{
		fWindow = new gui_test::RecordingWindow(BRect(10, 10, 309, 209));
		fField = new FieldView;
		fWindow->AddChild(fField);
		fWindow->Show();
	}
	void TearDown() override
	{
		BPrivate::set_alert_responder(nullptr);
		if (fWindow->Lock())
			fWindow->Quit();
	}

	QWidget* Editor() { return BPrivate::ViewWidget::Of(fField)->Inner(); }

	// One key press per character, as a keyboard layout that has them
	// would send.
	void Type(const char* text)
	{
		for (QChar character : QString::fromUtf8(text)) {
			int key =
				character == '\t' ? static_cast<int>(Qt::Key_Tab) : character.toUpper().unicode();
			QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(character));
			QCoreApplication::sendEvent(Editor(), &press);
		}
		gui_test::process_events();
	}

	gui_test::RecordingWindow* fWindow = nullptr;
	FieldView* fField = nullptr;
};

TEST_F(Controls, TypedKeysPassTheSubclassFilter)
{
	Type("ab\tc");
	QTest::keyClick(Editor(), Qt::Key_Left, Qt::ShiftModifier);
	QTest::keyClick(Editor(), Qt::Key_Backspace);
	Type("Z");
	EXPECT_STREQ(fField->Text(), "abZ");
	EXPECT_EQ(fField->fTabs, 1);
}

// Offsets, lengths and the limit count UTF-8 bytes.
TEST_F(Controls, ByteOffsetsAndMaxBytesNeverSplitACharacter)
{
	struct Row {
		const char* name;
		int32 maxBytes;
		const char* inserted;
		const char* expected;
	};
	const Row rows[] = {
		{"Fits", 6, "abc", "abc"},
		{"CutBeforeTwoByteChar", 4, "abc\xc3\xa9", "abc"},
		{"TwoByteCharFitsExactly", 5, "abc\xc3\xa9", "abc\xc3\xa9"},
		{"FourByteCharDropped", 6,
		 "ab\xf0\x9f\x98\x80"
		 "cd",
		 "ab\xf0\x9f\x98\x80"},
		{"TruncatedInputChar", 9, "ab\xc3", "ab"},
	};
	for (const Row& row : rows) {
		SCOPED_TRACE(row.name);
		fField->SetText("");
		fField->SetMaxBytes(row.maxBytes);
		fField->Insert(row.inserted);
		EXPECT_STREQ(fField->Text(), row.expected);
	}
	// Typed and pasted text: the record dialog tests.

	fField->SetMaxBytes(100);
	fField->SetText("gr\xc3\xbc\xc3\x9f"
					"e");
	fField->Select(2, 6);
	int32 start, finish;
	fField->GetSelection(&start, &finish);
	EXPECT_EQ(start, 2);
	EXPECT_EQ(finish, 6);
	fField->Delete();
	EXPECT_STREQ(fField->Text(), "gre");
	EXPECT_EQ(fField->TextLength(), 3);
}

TEST_F(Controls, ButtonClickInvokesOnlyWhileEnabled)
{
	auto* button = new BButton(BRect(0, 40, 79, 69), "ok", "OK", new BMessage('okay'));
	fWindow->AddChild(button);
	QWidget* widget = BPrivate::ViewWidget::Of(button);
	button->SetEnabled(false);
	QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
	gui_test::process_events();
	EXPECT_TRUE(fWindow->fReceived.empty());
	button->SetEnabled(true);
	QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
	ASSERT_TRUE(gui_test::process_until([this] { return !fWindow->fReceived.empty(); }));
	void* source = nullptr;
	EXPECT_EQ(fWindow->fReceived.front().FindPointer("source", &source), B_OK);
	EXPECT_EQ(source, static_cast<BControl*>(button));
	// The default look comes from the desktop style: it paints the button.
	QImage image = gui_test::render(button);
	EXPECT_NE(image.pixelColor(40, 15), QColor(Qt::transparent));
}

TEST_F(Controls, StringViewTextStandsOnTheAscent)
{
	auto* label = new BStringView(BRect(0, 100, 99, 119), "label", "HH");
	fWindow->AddChild(label);
	font_height height;
	label->GetFontHeight(&height);
	QImage image = gui_test::render(label);
	int lowest = -1;
	for (int y = 0; y < image.height(); y++) {
		for (int x = 0; x < image.width(); x++) {
			if (image.pixelColor(x, y) != Qt::white)
				lowest = std::max(lowest, y);
		}
	}
	EXPECT_EQ(lowest, static_cast<int>(std::ceil(height.ascent)) - 1);
}

// Synchronous Go() through the seam: the window tests.
TEST_F(Controls, AlertSeamAnswersInvokers)
{
	std::string seen;
	BPrivate::set_alert_responder([&seen](const BAlert& alert) {
		seen = std::string(alert.Title()) + "|" + alert.Text() + "|" +
			   alert.ButtonLabel(alert.CountButtons() - 1);
		return alert.CountButtons() - 1;
	});
	(new BAlert("Save", "Save changes?", "Cancel", "Save"))
		->Go(new BInvoker(new BMessage('alrt'), fWindow));
	ASSERT_TRUE(gui_test::process_until([this] { return !fWindow->fReceived.empty(); }));
	int32 which = -1;
	EXPECT_EQ(fWindow->fReceived.front().what, static_cast<uint32>('alrt'));
	EXPECT_EQ(fWindow->fReceived.front().FindInt32("which", &which), B_OK);
	EXPECT_EQ(which, 1);
	EXPECT_EQ(seen, "Save|Save changes?|Save");
}

} // namespace
