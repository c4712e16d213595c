#include <string>

#include <gtest/gtest.h>

#include <Clipboard.h>

#include "ABookRecord.h"
#include "../platform/app/ClipboardText.h"
#include "BookTestSupport.h"
#include "ZIBook.h"

namespace {

// The "text/plain" bytes on the clipboard.
std::string
ClipboardText()
{
	if (!be_clipboard->Lock())
		return "<unlocked>";
	std::string text = text_of(be_clipboard->Data());
	be_clipboard->Unlock();
	return text;
}

TEST(Clipboard, HoldsRecordTextWithoutTerminator)
{
	ZIBook book(nullptr);
	AddRecords(book, {{}, {"bob", "Bo b", "", "Lee"}, Fields(kFieldCount, std::string(40, 'w'))});
	ASSERT_EQ(book.AddressToClipboard(0), B_OK);
	EXPECT_EQ(ClipboardText(), std::string(21, '\t'));
	ASSERT_EQ(book.AddressToClipboard(1), B_OK);
	EXPECT_EQ(ClipboardText(), "bob\tBo b\t\tLee" + std::string(18, '\t'));
	// Eleven fields of 40 bytes and their separators fill the buffer exactly.
	ASSERT_EQ(book.FormattedAddressToClipboard(2), B_OK);
	EXPECT_EQ(ClipboardText().size(), kFormattedAddressLength);
	ASSERT_EQ(book.FormattedAddressToClipboard(1), B_OK);
	EXPECT_EQ(ClipboardText(), "Bo b  Lee \n \n \n \n \n   ");

	EXPECT_EQ(book.AddressToClipboard(3), B_BAD_INDEX);
	EXPECT_EQ(book.FormattedAddressToClipboard(-1), B_BAD_INDEX);
	EXPECT_EQ(ClipboardText(), "Bo b  Lee \n \n \n \n \n   ");
}

} // namespace
