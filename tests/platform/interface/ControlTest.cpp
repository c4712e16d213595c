#include <gtest/gtest.h>

#include <TextView.h>
#include <Window.h>

#include "GuiTestApplication.h"

namespace {

// Typed keys, Tab and pasted text: the record dialog tests. Enabled buttons,
// the alert seam and labels: the dialog and window tests.
class Controls : public testing::Test {
protected:
	void SetUp() override
	{
		fWindow = new gui_test::RecordingWindow(BRect(10, 10, 309, 209));
		fField = new BTextView(BRect(0, 0, 199, 19), "field", BRect(0, 0, 199, 19));
		fWindow->AddChild(fField);
		fWindow->Show();
	}
	void TearDown() override
	{
		if (fWindow->Lock())
			fWindow->Quit();
	}

	gui_test::RecordingWindow* fWindow = nullptr;
	BTextView* fField = nullptr;
};

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

} // namespace
