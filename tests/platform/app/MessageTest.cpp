#include <Message.h>
#include <MessagePrivate.h>

#include <string>

#include <gtest/gtest.h>

#include "StringItem.h"

namespace {

// Round trips of every kind of item: the preferences' byte-for-byte tests
// and every message the application sends.
TEST(Message, ItemsOutsideTheRulesAreRefused)
{
	BMessage message('test');
	message.AddInt32("int32", -70000);
	message.AddInt32("int32", 0x12345678);
	message.AddFloat("float", -0.25f);
	int32 value;
	EXPECT_EQ(message.FindInt32("int32", 2, &value), B_BAD_INDEX);
	EXPECT_EQ(message.FindInt32("int32", -1, &value), B_BAD_INDEX);
	EXPECT_EQ(message.FindInt32("float", &value), B_BAD_TYPE);
	EXPECT_EQ(message.FindInt32("missing", &value), B_NAME_NOT_FOUND);
	EXPECT_EQ(message.AddInt32("float", 1), B_BAD_TYPE);
	EXPECT_EQ(message.AddString("s", nullptr), B_BAD_VALUE);
	EXPECT_EQ(message.AddMessage("m", nullptr), B_BAD_VALUE);
	EXPECT_EQ(message.AddInt32(nullptr, 1), B_BAD_VALUE);
	EXPECT_EQ(message.AddInt32(std::string(256, 'n').c_str(), 1), B_BAD_VALUE);
	EXPECT_EQ(message.AddInt32(std::string(255, 'n').c_str(), 1), B_OK);
	EXPECT_EQ(message.GetInt32("float", 42), 42);
	EXPECT_EQ(message.FindInt32("missing"), 0);
	// Bytes typed as a string but without their NUL are no C string.
	ASSERT_EQ(message.AddData("raw", B_STRING_TYPE, "abc", 3, false), B_OK);
	const char* string;
	EXPECT_EQ(message.FindString("raw", &string), B_BAD_DATA);

	// Fixed-size fields keep their item size.
	int64 wide = 1;
	type_code type;
	ASSERT_EQ(message.AddData("fixed", B_RAW_TYPE, "abcd", 4), B_OK);
	EXPECT_EQ(message.AddData("fixed", B_RAW_TYPE, "abcdef", 6), B_BAD_VALUE);
	EXPECT_EQ(message.AddData("fixed", B_RAW_TYPE, "wxyz", 4), B_OK);
	ASSERT_EQ(message.AddData("var", B_RAW_TYPE, "a", 1, false), B_OK);
	EXPECT_EQ(message.AddData("var", B_RAW_TYPE, "abc", 3, false), B_OK);
	EXPECT_EQ(message.AddData("int", B_INT32_TYPE, &wide, sizeof(wide)), B_BAD_VALUE);
	EXPECT_EQ(message.GetInfo("int", &type), B_NAME_NOT_FOUND);
	EXPECT_EQ(message.AddData("empty", B_RAW_TYPE, "", 0), B_BAD_VALUE);
}

TEST(Message, DataPointersSurviveChangesToOtherFields)
{
	BMessage message;
	message.AddString("kept", "stable");
	const void* data;
	ASSERT_EQ(message.FindData("kept", B_STRING_TYPE, &data, nullptr), B_OK);
	for (int i = 0; i < 200; i++)
		message.AddInt32(std::to_string(i).c_str(), i);
	message.RemoveName("0");
	EXPECT_STREQ(static_cast<const char*>(data), "stable");
	EXPECT_EQ(message.GetInt32("199", 0), 199);
}

TEST(Message, CopiesAreIndependent)
{
	BMessage original('orig');
	original.AddString("name", "value");
	original.AddSpecifier("Text");
	BPrivate::MessagePrivate(original).SetReply(3, 4, 5);
	BMessage copy(original);
	BMessage assigned;
	assigned = original;
	original.AddString("name", "more");
	original.MakeEmpty();
	for (BMessage* message : {&copy, &assigned}) {
		EXPECT_EQ(message->what, uint32('orig'));
		EXPECT_STREQ(string_item(*message, "name", 0), "value");
		EXPECT_EQ(string_item(*message, "name", 1), nullptr);
		EXPECT_TRUE(message->HasSpecifiers());
		EXPECT_EQ(BPrivate::MessagePrivate(message).GetReplyPort(), 4);
	}
	EXPECT_FALSE(original.HasSpecifiers());
}

} // namespace
