#include <Message.h>
#include <MessagePrivate.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace {

// Add and Find of one typed family, with two distinct values.
template <typename T> struct Family;

#define FAMILY(T, Name, typeCode, first, second)                                                   \
	template <> struct Family<T> {                                                                 \
		static constexpr type_code kType = typeCode;                                               \
		static T First() { return first; }                                                         \
		static T Second() { return second; }                                                       \
		static status_t Add(BMessage& m, const char* n, T v) { return m.Add##Name(n, v); }         \
		static status_t Find(const BMessage& m, const char* n, int32 i, T* v)                      \
		{                                                                                          \
			return m.Find##Name(n, i, v);                                                          \
		}                                                                                          \
	};

FAMILY(int8, Int8, B_INT8_TYPE, -5, 100)
FAMILY(int16, Int16, B_INT16_TYPE, -300, 0x7f00)
FAMILY(int32, Int32, B_INT32_TYPE, -70000, 0x12345678)
FAMILY(int64, Int64, B_INT64_TYPE, -1, INT64_C(0x123456789abc))
FAMILY(bool, Bool, B_BOOL_TYPE, true, false)
FAMILY(float, Float, B_FLOAT_TYPE, 1.5f, -0.25f)
FAMILY(double, Double, B_DOUBLE_TYPE, 2.75, -1e300)

template <typename T> class TypedField : public testing::Test {
};

using Families = testing::Types<int8, int16, int32, int64, bool, float, double>;
TYPED_TEST_SUITE(TypedField, Families);

TYPED_TEST(TypedField, AddFindKeepItemsApart)
{
	using F = Family<TypeParam>;
	BMessage message('test');
	ASSERT_EQ(F::Add(message, "value", F::First()), B_OK);
	ASSERT_EQ(F::Add(message, "value", F::Second()), B_OK);
	ASSERT_EQ(message.AddString("other", "x"), B_OK);

	TypeParam value{};
	EXPECT_EQ(F::Find(message, "value", 0, &value), B_OK);
	EXPECT_EQ(value, F::First());
	EXPECT_EQ(F::Find(message, "value", 1, &value), B_OK);
	EXPECT_EQ(value, F::Second());

	EXPECT_EQ(F::Find(message, "value", 2, &value), B_BAD_INDEX);
	EXPECT_EQ(F::Find(message, "value", -1, &value), B_BAD_INDEX);
	EXPECT_EQ(F::Find(message, "other", 0, &value), B_BAD_TYPE);
	EXPECT_EQ(F::Find(message, "missing", 0, &value), B_NAME_NOT_FOUND);
	EXPECT_EQ(F::Add(message, "other", F::First()), B_BAD_TYPE);

	type_code type;
	bool fixedSize;
	EXPECT_EQ(message.GetInfo("value", &type, &fixedSize), B_OK);
	EXPECT_EQ(type, F::kType);
	EXPECT_TRUE(fixedSize);
}

TEST(Message, StringsPointersAndMessagesRoundTrip)
{
	BMessage inner('innr');
	inner.AddString("text", "deep");
	BMessage message;
	int target;
	ASSERT_EQ(message.AddString("s", "first"), B_OK);
	ASSERT_EQ(message.AddString("s", ""), B_OK);
	ASSERT_EQ(message.AddPointer("p", &target), B_OK);
	ASSERT_EQ(message.AddMessage("m", &inner), B_OK);

	const char* string;
	EXPECT_EQ(message.FindString("s", 1, &string), B_OK);
	EXPECT_STREQ(string, "");
	EXPECT_STREQ(message.GetString("s", 0, nullptr), "first");
	EXPECT_STREQ(message.GetString("s", 1, "default"), "");
	void* pointer;
	EXPECT_EQ(message.FindPointer("p", &pointer), B_OK);
	EXPECT_EQ(pointer, &target);

	BMessage found;
	EXPECT_EQ(message.FindMessage("m", &found), B_OK);
	EXPECT_EQ(found.what, uint32('innr'));
	EXPECT_STREQ(found.GetString("text"), "deep");

	EXPECT_EQ(message.AddString("s", nullptr), B_BAD_VALUE);
	EXPECT_EQ(message.AddMessage("m", nullptr), B_BAD_VALUE);
	EXPECT_EQ(message.AddInt32(nullptr, 1), B_BAD_VALUE);
	EXPECT_EQ(message.AddInt32(std::string(256, 'n').c_str(), 1), B_BAD_VALUE);
	EXPECT_EQ(message.AddInt32(std::string(255, 'n').c_str(), 1), B_OK);

	EXPECT_EQ(message.GetInt32("s", 42), 42);
	EXPECT_EQ(message.FindInt32("missing"), 0);
	// Bytes typed as a string but without their NUL are no C string.
	ASSERT_EQ(message.AddData("raw", B_STRING_TYPE, "abc", 3, false), B_OK);
	EXPECT_EQ(message.FindString("raw", &string), B_BAD_DATA);
	EXPECT_STREQ(message.GetString("raw", "fallback"), "fallback");
}

TEST(Message, FixedSizeRuleAndReplacingAField)
{
	BMessage message;
	int64 wide = 1;
	int32 narrow = 2;
	ASSERT_EQ(message.AddData("raw", B_RAW_TYPE, "abcd", 4), B_OK);
	EXPECT_EQ(message.AddData("raw", B_RAW_TYPE, "abcdef", 6), B_BAD_VALUE);
	EXPECT_EQ(message.AddData("raw", B_RAW_TYPE, "wxyz", 4), B_OK);
	ASSERT_EQ(message.AddData("var", B_RAW_TYPE, "a", 1, false), B_OK);
	EXPECT_EQ(message.AddData("var", B_RAW_TYPE, "abc", 3, false), B_OK);
	EXPECT_EQ(message.AddData("int", B_INT32_TYPE, &wide, sizeof(wide)), B_BAD_VALUE);
	EXPECT_FALSE(message.HasData("int", B_ANY_TYPE));
	EXPECT_EQ(message.AddData("empty", B_RAW_TYPE, "", 0), B_BAD_VALUE);

	// The preference store replaces an item by removing the name and adding
	// it again, with another type and size.
	const char* path = "/home/user/book";
	ASSERT_EQ(message.AddData("setting", B_STRING_TYPE, path, strlen(path) + 1), B_OK);
	EXPECT_EQ(message.RemoveName("setting"), B_OK);
	EXPECT_EQ(message.RemoveName("setting"), B_NAME_NOT_FOUND);
	ASSERT_EQ(message.AddData("setting", B_INT32_TYPE, &narrow, sizeof(narrow)), B_OK);
	type_code type;
	const void* data;
	ssize_t size;
	EXPECT_EQ(message.GetInfo("setting", &type), B_OK);
	EXPECT_EQ(type, B_INT32_TYPE);
	EXPECT_EQ(message.FindData("setting", type, &data, &size), B_OK);
	EXPECT_EQ(size, 4);
	EXPECT_EQ(*static_cast<const int32*>(data), 2);
}

TEST(Message, GetInfoByTypeAndIndex)
{
	BMessage message;
	message.AddInt32("a", 1);
	message.AddString("b", "x");
	message.AddInt32("c", 2);
	message.AddInt32("c", 3);

	struct Row {
		type_code type;
		int32 index;
		status_t status;
		const char* name;
	} rows[] = {
		{B_ANY_TYPE, 1, B_OK, "b"},
		{B_INT32_TYPE, 1, B_OK, "c"},
		{B_INT32_TYPE, 2, B_BAD_INDEX, nullptr},
		{B_FLOAT_TYPE, 0, B_BAD_TYPE, nullptr},
		{B_ANY_TYPE, -1, B_BAD_INDEX, nullptr},
	};
	for (const Row& row : rows) {
		char* name = nullptr;
		int32 count = 0;
		EXPECT_EQ(message.GetInfo(row.type, row.index, &name, nullptr, &count), row.status);
		EXPECT_STREQ(name, row.name);
	}
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
	original.ReplaceString("name", "changed");
	original.MakeEmpty();
	for (BMessage* message : {&copy, &assigned}) {
		EXPECT_EQ(message->what, uint32('orig'));
		EXPECT_STREQ(message->GetString("name"), "value");
		EXPECT_TRUE(message->HasSpecifiers());
		EXPECT_EQ(BPrivate::MessagePrivate(message).GetReplyPort(), 4);
	}
	EXPECT_FALSE(original.HasSpecifiers());
}

TEST(MessageSpecifier, ConvenienceFormsBuildPlatformMessages)
{
	BMessage message;
	ASSERT_EQ(message.AddSpecifier("Text", 0, 12), B_OK);
	ASSERT_EQ(message.AddSpecifier("Window", "Books"), B_OK);
	ASSERT_EQ(message.AddSpecifier("Item", 3), B_OK);
	ASSERT_EQ(message.AddSpecifier("Size"), B_OK);
	EXPECT_EQ(message.AddSpecifier("Text", 0, -1), B_BAD_VALUE);
	EXPECT_EQ(message.AddSpecifier(static_cast<const char*>(nullptr)), B_BAD_VALUE);

	struct Row {
		uint32 what;
		const char* property;
		const char* extraName;
		int32 extraValue;
		const char* name;
	} rows[] = {
		{B_RANGE_SPECIFIER, "Text", "range", 12, nullptr},
		{B_NAME_SPECIFIER, "Window", nullptr, 0, "Books"},
		{B_INDEX_SPECIFIER, "Item", "index", 3, nullptr},
		{B_DIRECT_SPECIFIER, "Size", nullptr, 0, nullptr},
	};
	for (int32 i = 0; i < 4; i++) {
		BMessage specifier;
		ASSERT_EQ(message.FindMessage(B_SPECIFIER_ENTRY, i, &specifier), B_OK);
		EXPECT_EQ(specifier.what, rows[i].what);
		EXPECT_STREQ(specifier.GetString(B_PROPERTY_ENTRY), rows[i].property);
		if (rows[i].extraName != nullptr) {
			EXPECT_EQ(specifier.GetInt32(rows[i].extraName, -1), rows[i].extraValue);
		}
		EXPECT_STREQ(specifier.GetString(B_PROPERTY_NAME_ENTRY, nullptr), rows[i].name);
	}
}

TEST(MessageSpecifier, StackIsResolvedFromTheTopAfterDelivery)
{
	BMessage message(B_REVERSE_RANGE_SPECIFIER);
	int32 index = 99;
	EXPECT_FALSE(message.HasSpecifiers());
	EXPECT_EQ(message.GetCurrentSpecifier(&index), B_BAD_SCRIPT_SYNTAX);
	EXPECT_EQ(index, -1);

	message.AddSpecifier("Window", int32(0));
	message.AddSpecifier("Text");
	EXPECT_TRUE(message.HasSpecifiers());
	EXPECT_EQ(message.GetCurrentSpecifier(&index), B_BAD_SCRIPT_SYNTAX);
	EXPECT_EQ(index, 1);
	EXPECT_EQ(message.PopSpecifier(), B_BAD_VALUE);

	BPrivate::MessagePrivate(message).SetWasDelivered(true);
	BMessage specifier;
	int32 what;
	const char* property;
	EXPECT_EQ(message.GetCurrentSpecifier(&index, &specifier, &what, &property), B_OK);
	EXPECT_EQ(what, B_DIRECT_SPECIFIER);
	EXPECT_STREQ(property, "Text");
	EXPECT_EQ(message.PopSpecifier(), B_OK);
	EXPECT_EQ(message.GetCurrentSpecifier(&index, &specifier, &what, &property), B_OK);
	EXPECT_EQ(index, 0);
	EXPECT_STREQ(property, "Window");
	EXPECT_EQ(message.PopSpecifier(), B_OK);
	EXPECT_EQ(message.GetCurrentSpecifier(&index, &specifier), B_BAD_SCRIPT_SYNTAX);
	EXPECT_EQ(message.PopSpecifier(), B_BAD_VALUE);
}

} // namespace
