#include <string>
#include <tuple>
#include <vector>

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

struct NicknameCase {
	const char* name;
	const char* nickname;
	bool found;
	std::string email;
	std::string city;
};

class Nickname : public testing::TestWithParam<NicknameCase> {};

TEST_P(Nickname, FindsFirstRecordIgnoringCase)
{
	ZIBook book(nullptr);
	for (auto [nickname, email1, email2] : {std::tuple{"Bob", "first@example.org", ""},
											{"bob", "second@example.org", ""},
											{"carl", "", "carl@example.org"}}) {
		Fields fields(kFieldCount);
		fields[kNicknameField] = fields[kCityField] = nickname;
		fields[kEmail1Field] = email1;
		fields[kEmail2Field] = email2;
		AddRecords(book, {fields});
	}
	char email[kFieldBufferSize] = "garbage";
	EXPECT_EQ(book.GetEmailFromNickname(GetParam().nickname, email, sizeof(email)),
			  GetParam().found);
	EXPECT_EQ(email, GetParam().email);
	char address[1000] = "garbage";
	EXPECT_EQ(book.GetPostalAddressFromNickname(GetParam().nickname, address, sizeof(address)),
			  GetParam().found);
	EXPECT_EQ(address, GetParam().found ? "   \n \n \n \n \n" + GetParam().city + "   " : "");
	char small[4];
	book.GetPostalAddressFromNickname(GetParam().nickname, small, sizeof(small));
	EXPECT_EQ(small, std::string(GetParam().found ? 3 : 0, ' '));
}

INSTANTIATE_TEST_SUITE_P(
	Lookups, Nickname,
	testing::Values(NicknameCase{"FirstOfEqualNicknames", "BOB", true, "first@example.org", "Bob"},
					NicknameCase{"EmptyEmailOne", "Carl", true, "", "carl"},
					NicknameCase{"PrefixDoesNotMatch", "bo", false, "", ""},
					NicknameCase{"LongerDoesNotMatch", "bobby", false, "", ""}),
	[](const auto& info) { return info.param.name; });

} // namespace
