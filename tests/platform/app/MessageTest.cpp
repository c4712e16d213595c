#include <AppDefs.h>
#include <Message.h>
#include <MessagePrivate.h>

#include <cstring>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "StringItem.h"

namespace {

TEST(Message, EachKindOfItemRoundTrips)
{
	BMessage message('test');
	message.AddInt8("int8", -5);
	message.AddInt32("int32", -70000);
	message.AddInt32("int32", 0x12345678);
	message.AddInt64("int64", INT64_C(0x123456789abc));
	message.AddBool("bool", false);
	message.AddBool("bool", true);
	message.AddFloat("float", -0.25f);
	for (auto [name, code] : {std::pair{"int8", B_INT8_TYPE},
							  {"int32", B_INT32_TYPE},
							  {"int64", B_INT64_TYPE},
							  {"bool", B_BOOL_TYPE},
							  {"float", B_FLOAT_TYPE}}) {
		type_code type;
		EXPECT_EQ(message.GetInfo(name, &type), B_OK);
		EXPECT_EQ(type, code) << name;
	}
	EXPECT_EQ(message.GetInt8("int8", 0), -5);
	EXPECT_EQ(message.GetInt32("int32", 1, 0), 0x12345678);
	EXPECT_EQ(message.GetInt64("int64", 0), INT64_C(0x123456789abc));
	EXPECT_TRUE(message.GetBool("bool", 1, false));
	EXPECT_FALSE(message.GetBool("bool", true));
	EXPECT_EQ(message.GetFloat("float", 0), -0.25f);

	int32 value;
	EXPECT_EQ(message.FindInt32("int32", 2, &value), B_BAD_INDEX);
	EXPECT_EQ(message.FindInt32("int32", -1, &value), B_BAD_INDEX);
	EXPECT_EQ(message.FindInt32("float", &value), B_BAD_TYPE);
	EXPECT_EQ(message.FindInt32("missing", &value), B_NAME_NOT_FOUND);
	EXPECT_EQ(message.AddInt32("float", 1), B_BAD_TYPE);

	BMessage inner('innr');
	inner.AddString("text", "deep");
	int target;
	ASSERT_EQ(message.AddString("s", "first"), B_OK);
	ASSERT_EQ(message.AddString("s", ""), B_OK);
	ASSERT_EQ(message.AddPointer("p", &target), B_OK);
	ASSERT_EQ(message.AddMessage("m", &inner), B_OK);
	EXPECT_STREQ(string_item(message, "s", 0), "first");
	EXPECT_STREQ(string_item(message, "s", 1), "");
	void* pointer;
	EXPECT_EQ(message.FindPointer("p", &pointer), B_OK);
	EXPECT_EQ(pointer, &target);
	BMessage found;
	EXPECT_EQ(message.FindMessage("m", &found), B_OK);
	EXPECT_EQ(found.what, uint32('innr'));
	EXPECT_STREQ(string_item(found, "text"), "deep");

	EXPECT_EQ(message.AddString("s", nullptr), B_BAD_VALUE);
	EXPECT_EQ(message.AddMessage("m", nullptr), B_BAD_VALUE);
	EXPECT_EQ(message.AddInt32(nullptr, 1), B_BAD_VALUE);
	EXPECT_EQ(message.AddInt32(std::string(256, 'n').c_str(), 1), B_BAD_VALUE);
	EXPECT_EQ(message.AddInt32(std::string(255, 'n').c_str(), 1), B_OK);
	EXPECT_EQ(message.GetInt32("s", 42), 42);
	EXPECT_EQ(message.FindInt32("missing"), 0);
	// Bytes typed as a string but without their NUL are no C string.
	ASSERT_EQ(message.AddData("raw", B_STRING_TYPE, "abc", 3, false), B_OK);
	const char* string;
	EXPECT_EQ(message.FindString("raw", &string), B_BAD_DATA);
}

TEST(Message, FixedSizeRuleAndReplacingAField)
{
	BMessage message;
	int64 wide = 1;
	int32 narrow = 2;
	type_code type;
	ASSERT_EQ(message.AddData("raw", B_RAW_TYPE, "abcd", 4), B_OK);
	EXPECT_EQ(message.AddData("raw", B_RAW_TYPE, "abcdef", 6), B_BAD_VALUE);
	EXPECT_EQ(message.AddData("raw", B_RAW_TYPE, "wxyz", 4), B_OK);
	ASSERT_EQ(message.AddData("var", B_RAW_TYPE, "a", 1, false), B_OK);
	EXPECT_EQ(message.AddData("var", B_RAW_TYPE, "abc", 3, false), B_OK);
	EXPECT_EQ(message.AddData("int", B_INT32_TYPE, &wide, sizeof(wide)), B_BAD_VALUE);
	EXPECT_EQ(message.GetInfo("int", &type), B_NAME_NOT_FOUND);
	EXPECT_EQ(message.AddData("empty", B_RAW_TYPE, "", 0), B_BAD_VALUE);

	// The preference store replaces an item by removing the name and adding
	// it again, with another type and size.
	const char* path = "/home/user/book";
	ASSERT_EQ(message.AddData("setting", B_STRING_TYPE, path, strlen(path) + 1), B_OK);
	EXPECT_EQ(message.RemoveName("setting"), B_OK);
	EXPECT_EQ(message.RemoveName("setting"), B_NAME_NOT_FOUND);
	ASSERT_EQ(message.AddData("setting", B_INT32_TYPE, &narrow, sizeof(narrow)), B_OK);
	const void* data;
	ssize_t size;
	EXPECT_EQ(message.GetInfo("setting", &type), B_OK);
	EXPECT_EQ(type, B_INT32_TYPE);
	EXPECT_EQ(message.FindData("setting", type, &data, &size), B_OK);
	EXPECT_EQ(size, 4);
	EXPECT_EQ(*static_cast<const int32*>(data), 2);
}

TEST(Message, GetInfoCountsOnlyFieldsOfTheAskedType)
{
	BMessage message;
	message.AddInt32("a", 1);
	message.AddString("b", "x");
	message.AddInt32("c", 2);
	message.AddInt32("c", 3);
	char* name = nullptr;
	int32 count = 0;
	EXPECT_EQ(message.GetInfo(B_INT32_TYPE, 1, &name, nullptr, &count), B_OK);
	EXPECT_STREQ(name, "c");
	EXPECT_EQ(count, 2);
	EXPECT_EQ(message.GetInfo(B_INT32_TYPE, 2, &name, nullptr), B_BAD_INDEX);
	EXPECT_EQ(message.GetInfo(B_FLOAT_TYPE, 0, &name, nullptr), B_BAD_TYPE);
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

TEST(MessageSpecifier, StackIsResolvedFromTheTopAfterDelivery)
{
	BMessage message(B_GET_PROPERTY);
	int32 index = 99;
	EXPECT_FALSE(message.HasSpecifiers());
	EXPECT_EQ(message.GetCurrentSpecifier(&index), B_BAD_SCRIPT_SYNTAX);
	EXPECT_EQ(index, -1);
	ASSERT_EQ(message.AddSpecifier("Text", 5, 12), B_OK);
	ASSERT_EQ(message.AddSpecifier("Size"), B_OK);
	EXPECT_EQ(message.AddSpecifier("Text", 0, -1), B_BAD_VALUE);
	EXPECT_EQ(message.AddSpecifier(static_cast<const char*>(nullptr)), B_BAD_VALUE);
	EXPECT_TRUE(message.HasSpecifiers());
	// Not delivered yet: nothing to resolve.
	EXPECT_EQ(message.GetCurrentSpecifier(&index), B_BAD_SCRIPT_SYNTAX);
	EXPECT_EQ(index, 1);
	EXPECT_EQ(message.PopSpecifier(), B_BAD_VALUE);

	BPrivate::MessagePrivate(message).SetWasDelivered(true);
	struct Row {
		int32 index, what;
		std::string property;
		int32 start, range;
	} rows[] = {{1, B_DIRECT_SPECIFIER, "Size", -1, -1}, {0, B_RANGE_SPECIFIER, "Text", 5, 12}};
	for (const Row& row : rows) {
		BMessage specifier;
		int32 what;
		const char* property;
		ASSERT_EQ(message.GetCurrentSpecifier(&index, &specifier, &what, &property), B_OK);
		EXPECT_EQ(std::make_tuple(index, what, std::string(property),
								  specifier.GetInt32("index", -1), specifier.GetInt32("range", -1)),
				  std::make_tuple(row.index, row.what, row.property, row.start, row.range));
		EXPECT_EQ(message.PopSpecifier(), B_OK);
	}
	EXPECT_EQ(message.GetCurrentSpecifier(&index), B_BAD_SCRIPT_SYNTAX);
	EXPECT_EQ(message.PopSpecifier(), B_BAD_VALUE);
}

} // namespace
