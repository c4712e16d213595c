#include <AppDefs.h>
#include <Message.h>
#include <MessagePrivate.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "StringItem.h"

namespace {

using Bytes = std::vector<char>;

// Bytes from hex text; anything but hex digits is ignored, and "quoted"
// text is taken as it stands.
Bytes
Hex(const std::string& text)
{
	Bytes bytes;
	bool quoted = false, low = false;
	for (char c : text) {
		if (c == '"') {
			quoted = !quoted;
		} else if (quoted) {
			bytes.push_back(c);
		} else if (isxdigit(static_cast<unsigned char>(c))) {
			char digit = char(std::stoi(std::string(1, c), nullptr, 16));
			if (low)
				bytes.back() = char(bytes.back() << 4 | digit);
			else
				bytes.push_back(digit);
			low = !low;
		}
	}
	return bytes;
}

Bytes
operator+(Bytes bytes, const Bytes& more)
{
	bytes.insert(bytes.end(), more.begin(), more.end());
	return bytes;
}

template <typename T>
Bytes
Item(T value)
{
	const char* raw = reinterpret_cast<const char*>(&value);
	return Bytes(raw, raw + sizeof(value));
}

Bytes
Flat(const BMessage& message)
{
	Bytes bytes(message.FlattenedSize());
	EXPECT_EQ(message.Flatten(bytes.data(), bytes.size()), B_OK);
	return bytes;
}

status_t
Read(BMessage& message, const Bytes& bytes)
{
	return message.Unflatten(bytes.data(), bytes.size());
}

// A message as BeOS R5 on x86 writes it: what 'abcd', int32 "index" = 7,
// string "name" = "bob".
const Bytes kExampleA = Hex("31 42 4F 46  62 62 63 99  35 00 00 00  64 63 62 61  01"
							"0F 47 4E 4F 4C 04 05 \"index\" 07 00 00 00"
							"0B 52 54 53 43 08 04 \"name\" 04 00 00 00 \"bob\" 00"
							"00");

// The same message without the compact forms, as Haiku writes it.
const Bytes kExampleAFullForms = Hex("31 42 4F 46  62 62 63 9F  3B 00 00 00  64 63 62 61  01"
									 "0D 47 4E 4F 4C 04 00 00 00 05 \"index\" 07 00 00 00"
									 "09 52 54 53 43 08 00 00 00 04 \"name\" 04 00 00 00 \"bob\" 00"
									 "00");

// The same from a big-endian host, plus an int64 array in full forms and a
// float 1.5.
const Bytes kExampleASwapped = Hex("46 4F 42 31  61 62 63 9A  00 00 00 61  61 62 63 64  01"
								   "0F 4C 4F 4E 47 04 05 \"index\" 00 00 00 07"
								   "0B 43 53 54 52 08 04 \"name\" 00 00 00 04 \"bob\" 00"
								   "05 4C 4C 4E 47 00 00 00 02 00 00 00 10 02 \"ll\""
								   "00 00 00 00 00 00 00 01  01 02 03 04 05 06 07 08"
								   "0F 46 4C 4F 54 04 01 \"f\" 3F C0 00 00"
								   "00");

// B_GET_PROPERTY with a direct specifier for "Name", as BeOS writes it.
const Bytes kSpecifier =
	Hex("31 42 4F 46  01 00 00 32  31 00 00 00  01 00 00 00  01"
		"0B 52 54 53 43 10 08 \"property\" 05 00 00 00 \"Name\" 00 00 00 00 00 00 00 00"
		"00");
const Bytes kScripting = Hex("31 42 4F 46  59 47 45 AF  5B 00 00 00  54 45 47 50  09"
							 "0B 47 47 53 4D 38 0A \"specifiers\" 31 00 00 00") +
						 kSpecifier + Hex("00 00 00  00");

// A query template attribute written by BeOS: garbage in the padding.
const Bytes kBeOSDump =
	Hex("31 42 4F 46  01 00 00 98  98 00 00 00  00 00 00 00  01"
		"0F 47 4E 4F 4C 04 0C \"creationDate\" 51 EA C7 41"
		"0F 47 4E 4C 4C 08 08 \"capacity\" 00 00 00 00 00 00 00 00"
		"0B 52 54 53 43 08 0A \"deviceName\" 01 00 00 00 00 00 70 41"
		"0B 52 54 53 43 10 0A \"volumeName\" 07 00 00 00 \"Google\" 00 12 34 56 78 9A"
		"0B 52 54 53 43 10 07 \"fshName\" 09 00 00 00 \"googlefs\" 00 00 70 41"
		"00");

void
ExpectExampleA(const BMessage& message)
{
	EXPECT_EQ(message.what, uint32('abcd'));
	char* name;
	message.GetInfo(B_ANY_TYPE, 1, &name, nullptr);
	EXPECT_STREQ(name, "name");
	EXPECT_EQ(message.GetInt32("index", 0), 7);
	EXPECT_STREQ(string_item(message, "name"), "bob");
}

TEST(MessageFlatten, WritesBeOSExamplesByteForByte)
{
	BMessage message('abcd');
	message.AddInt32("index", 7);
	message.AddString("name", "bob");
	EXPECT_EQ(Flat(message), kExampleA);

	BMessage scripting(B_GET_PROPERTY);
	scripting.AddSpecifier("Name");
	EXPECT_EQ(Flat(scripting), kScripting);
	BMessage back, specifier;
	ASSERT_EQ(Read(back, kScripting), B_OK);
	BPrivate::MessagePrivate(back).SetWasDelivered(true);
	int32 index, what;
	const char* property;
	ASSERT_EQ(back.GetCurrentSpecifier(&index, &specifier, &what, &property), B_OK);
	EXPECT_EQ(std::make_tuple(index, what, std::string(property)),
			  std::make_tuple(0, int32(B_DIRECT_SPECIFIER), std::string("Name")));

	char small[52];
	EXPECT_EQ(message.Flatten(small, sizeof(small)), B_BAD_VALUE);
	EXPECT_EQ(message.Flatten(nullptr, 53), B_BAD_VALUE);
}

TEST(MessageFlatten, ReadsEveryFormOfTheExample)
{
	for (const Bytes* bytes : {&kExampleA, &kExampleAFullForms, &kExampleASwapped}) {
		BMessage message;
		ASSERT_EQ(Read(message, *bytes), B_OK);
		ExpectExampleA(message);
	}
	BMessage swapped;
	Read(swapped, kExampleASwapped);
	EXPECT_EQ(swapped.GetInt64("ll", 0, 0), 1);
	EXPECT_EQ(swapped.GetInt64("ll", 1, 0), INT64_C(0x0102030405060708));
	EXPECT_EQ(swapped.GetFloat("f", 0), 1.5f);
}

TEST(MessageFlatten, ReadsRealBeOSDump)
{
	BMessage message;
	ASSERT_EQ(Read(message, kBeOSDump), B_OK);
	EXPECT_EQ(message.what, 0u);
	EXPECT_EQ(message.GetInt32("creationDate", 0), 0x41C7EA51);
	EXPECT_EQ(message.GetInt64("capacity", -1), 0);
	EXPECT_STREQ(string_item(message, "deviceName"), "");
	EXPECT_STREQ(string_item(message, "volumeName"), "Google");
	EXPECT_STREQ(string_item(message, "fshName"), "googlefs");
	char* name;
	message.GetInfo(B_ANY_TYPE, 4, &name, nullptr);
	EXPECT_STREQ(name, "fshName");
}

struct NativeField {
	std::string name;
	type_code type;
	bool fixedSize;
	std::vector<Bytes> items;
};

// Haiku's native layout, built by hand: header, field headers, data area.
// The reply address is port 7, handler 8, team 9.
Bytes
Native(uint32 what, uint32 flags, int32 target, int32 currentSpecifier,
	   const std::vector<NativeField>& fields)
{
	Bytes headers;
	Bytes data;
	for (const NativeField& field : fields) {
		uint32 offset = data.size();
		data.insert(data.end(), field.name.c_str(), field.name.c_str() + field.name.size() + 1);
		size_t start = data.size();
		for (const Bytes& item : field.items)
			data = data + (field.fixedSize ? Bytes() : Item(uint32(item.size()))) + item;
		for (uint16 half : {uint16(field.fixedSize ? 3 : 1), uint16(field.name.size() + 1)})
			headers = headers + Item(half);
		for (uint32 word : {field.type, uint32(field.items.size()), uint32(data.size() - start),
							offset, uint32(-1)})
			headers = headers + Item(word);
	}
	Bytes bytes = Hex("48 4D 46 31");
	for (uint32 word : {what, flags, uint32(target), uint32(currentSpecifier), uint32(-1), 7u, 8u,
						9u, uint32(data.size()), uint32(fields.size()), 5u})
		bytes = bytes + Item(word);
	bytes.resize(68, '\xff'); // the hash table
	return bytes + headers + data;
}

TEST(MessageFlatten, ReadsHaikuNativeMessages)
{
	Bytes inner = Native(B_DIRECT_SPECIFIER, 0x01, -1, -1,
						 {{"property", B_STRING_TYPE, false, {Hex("\"Text\" 00")}}});
	// valid | reply required | is reply | has specifiers
	Bytes bytes = Native(B_GET_PROPERTY, 0x2B, 5, 1,
						 {{"index", B_INT32_TYPE, true, {Item(int32(7)), Item(int32(-9))}},
						  {"name", B_STRING_TYPE, false, {Hex("\"bob\" 00"), Hex("00")}},
						  {B_SPECIFIER_ENTRY, B_MESSAGE_TYPE, false, {kSpecifier, inner}}});

	BMessage message;
	ASSERT_EQ(Read(message, bytes), B_OK);
	EXPECT_EQ(message.what, B_GET_PROPERTY);
	EXPECT_EQ(message.GetInt32("index", 1, 0), -9);
	EXPECT_STREQ(string_item(message, "name", 1), "");
	BPrivate::MessagePrivate priv(message);
	EXPECT_EQ(std::make_tuple(priv.GetTarget(), priv.GetReplyPort(), priv.GetReplyTarget(),
							  priv.GetReplyTeam(), priv.IsReplyRequired(), priv.IsReplyDone()),
			  std::make_tuple(5, 7, 8, 9, true, false));

	priv.SetWasDelivered(true);
	BMessage specifier;
	const char* property;
	ASSERT_EQ(message.GetCurrentSpecifier(nullptr, &specifier, nullptr, &property), B_OK);
	EXPECT_STREQ(property, "Text");
	ASSERT_EQ(message.PopSpecifier(), B_OK);
	ASSERT_EQ(message.GetCurrentSpecifier(nullptr, &specifier, nullptr, &property), B_OK);
	EXPECT_STREQ(property, "Name");

	// Swapped native messages are refused, as on Haiku.
	Bytes swapped = bytes;
	std::reverse(swapped.begin(), swapped.begin() + 4);
	EXPECT_EQ(Read(message, swapped), B_NOT_A_MESSAGE);
}

// The field flags byte and the message size for sizes around the limit of
// the one-byte forms: 17 header bytes, flags and type (5), count and size
// (one byte each in the compact form, four otherwise; no count for one
// item), name length and name "f" (2), the data, the end byte.
TEST(MessageFlatten, CompactFormsUpTo255Bytes)
{
	struct Row {
		const char* label;
		int32 count;
		size_t itemSize;
		bool fixedSize;
		uint8 flags;
		size_t size;
	} rows[] = {
		{"one string of 244 bytes fills 248", 1, 244, false, 0x0B, 17 + 5 + 1 + 2 + 248 + 1},
		{"one string of 245 bytes needs 256", 1, 245, false, 0x09, 17 + 5 + 4 + 2 + 256 + 1},
		{"63 int32 fill 252 bytes", 63, 4, true, 0x07, 17 + 5 + 2 + 2 + 252 + 1},
		{"64 int32 fill 256 bytes", 64, 4, true, 0x05, 17 + 5 + 8 + 2 + 256 + 1},
		{"255 bools", 255, 1, true, 0x07, 17 + 5 + 2 + 2 + 255 + 1},
		{"256 bools", 256, 1, true, 0x05, 17 + 5 + 8 + 2 + 256 + 1},
		{"two strings of 120 bytes fill 256", 2, 120, false, 0x01, 17 + 5 + 8 + 2 + 256 + 1},
	};
	for (const Row& row : rows) {
		SCOPED_TRACE(row.label);
		BMessage message;
		type_code type =
			row.fixedSize ? (row.itemSize == 4 ? B_INT32_TYPE : B_BOOL_TYPE) : B_STRING_TYPE;
		std::string item(row.itemSize - 1, 'x');
		for (int32 i = 0; i < row.count; i++)
			message.AddData("f", type, item.c_str(), row.itemSize, row.fixedSize);
		Bytes bytes = Flat(message);
		EXPECT_EQ(bytes.size(), row.size);
		EXPECT_EQ(uint8(bytes[17]), row.flags);
		BMessage back;
		ASSERT_EQ(Read(back, bytes), B_OK);
		EXPECT_EQ(Flat(back), bytes);
	}
}

TEST(MessageFlatten, HeaderCarriesTargetAndReplyAddress)
{
	struct Row {
		const char* label;
		BPrivate::MessageHeader header;
		uint8 flags;
		size_t headerSize;
	} rows[] = {
		{"plain", {}, 0x01, 17},
		{"target", {.target = 12}, 0x03, 21},
		{"preferred", {.target = B_PREFERRED_TOKEN, .preferred = true}, 0x07, 37},
		{"reply address",
		 {.replyPort = 100, .replyTarget = 7, .replyTeam = 100, .replyRequired = true},
		 0x05,
		 33},
		{"reply without return address", {.isReply = true}, 0x05, 33},
		{"done",
		 {.target = 3, .replyPort = 4, .replyTarget = 5, .replyTeam = 6, .replyDone = true},
		 0x07,
		 37},
	};
	for (const Row& row : rows) {
		SCOPED_TRACE(row.label);
		BMessage message(B_REPLY);
		message.AddInt32("error", B_OK);
		BPrivate::MessagePrivate priv(message);
		const BPrivate::MessageHeader& h = row.header;
		priv.SetTarget(h.target, h.preferred);
		priv.SetReply(h.replyTeam, h.replyPort, h.replyTarget);
		priv.SetReplyRequired(h.replyRequired);
		priv.SetReplyDone(h.replyDone);
		priv.SetIsReply(h.isReply);
		Bytes bytes = Flat(message);
		EXPECT_EQ(uint8(bytes[16]), row.flags);
		EXPECT_EQ(bytes[row.headerSize], 0x0F) << "first field right after the header";

		BMessage back;
		ASSERT_EQ(Read(back, bytes), B_OK);
		BPrivate::MessagePrivate got(back);
		EXPECT_EQ(std::make_tuple(got.GetTarget(), got.UsePreferredTarget(), got.GetReplyPort(),
								  got.GetReplyTarget(), got.GetReplyTeam(), got.IsReplyRequired(),
								  got.IsReplyDone()),
				  std::make_tuple(h.target, h.preferred, h.replyPort, h.replyTarget, h.replyTeam,
								  h.replyRequired, h.replyDone));
		EXPECT_EQ(Flat(back), bytes);
	}

	// The checksum covers the whole header: here size, what, flags and target.
	BMessage message('abcd');
	BPrivate::MessagePrivate(message).SetTarget(0x01020304);
	Bytes bytes = Flat(message);
	uint32 checksum;
	memcpy(&checksum, &bytes[4], 4);
	EXPECT_EQ(checksum, 0x16000000u + 0x64636261u + 0x03040302u + 0x01u);
}

// Random messages of many types and sizes around the compact-form limit.
BMessage
RandomMessage(std::mt19937& random, int depth)
{
	auto pick = [&](int low, int high) {
		return std::uniform_int_distribution<int>(low, high)(random);
	};
	const int kSizes[] = {1,   2,   3,   5,   8,   60,  63,  64,  65,
						  120, 243, 244, 245, 251, 252, 255, 256, 600};
	BMessage message(random());
	for (int f = pick(0, 12); f > 0; f--) {
		std::string text = std::string(pick(0, 6), 'a' + pick(0, 25)) + std::to_string(f);
		const char* name = text.c_str();
		int kind = pick(0, depth > 2 ? 4 : 5);
		int count = pick(0, 3) == 0 && kind != 5 ? kSizes[pick(0, 17)] : pick(1, 3);
		for (int i = 0; i < count; i++) {
			int64 number = static_cast<int64>(random()) << 32 | random();
			Bytes raw(kSizes[pick(0, 17)], char(number));
			BMessage nested = kind == 5 ? RandomMessage(random, depth + 1) : BMessage();
			kind == 0   ? message.AddInt32(name, number)
			: kind == 1 ? message.AddInt64(name, number)
			: kind == 2 ? message.AddBool(name, number & 1)
			: kind == 3 ? message.AddString(name, std::string(raw.size() - 1, 'x').c_str())
			: kind == 4 ? message.AddData(name, B_RAW_TYPE, raw.data(), raw.size(), count > 2)
						: message.AddMessage(name, &nested);
		}
	}
	return message;
}

TEST(MessageFlatten, RandomMessagesSurviveRoundTrips)
{
	std::mt19937 random(20240611);
	for (int round = 0; round < 300; round++) {
		SCOPED_TRACE(round);
		Bytes bytes = Flat(RandomMessage(random, 0));
		BMessage back;
		ASSERT_EQ(Read(back, bytes), B_OK);
		ASSERT_EQ(Flat(back), bytes);
	}
}

// Patches a copy of bytes at offset.
Bytes
Patched(Bytes bytes, size_t offset, const Bytes& patch)
{
	std::copy(patch.begin(), patch.end(), bytes.begin() + offset);
	return bytes;
}

// A plain R5 message around the given field bytes.
Bytes
R5(const std::string& fields)
{
	Bytes bytes = Hex("31 42 4F 46  00 00 00 00  00 00 00 00  00 00 00 00  01 " + fields + " 00");
	int32 size = bytes.size();
	memcpy(&bytes[8], &size, sizeof(size));
	return bytes;
}

void
ExpectRefused(const Bytes& bytes, status_t expected)
{
	BMessage message('full');
	message.AddString("old", "data");
	EXPECT_EQ(Read(message, bytes), expected);
	EXPECT_TRUE(message.IsEmpty());
	EXPECT_EQ(message.what, 0u);
	EXPECT_FALSE(message.HasSpecifiers());
}

TEST(MessageFlatten, RefusesEveryTruncation)
{
	for (const Bytes* whole : {&kExampleA, &kExampleASwapped, &kScripting, &kBeOSDump}) {
		for (size_t length = 1; length < whole->size(); length++) {
			SCOPED_TRACE(length);
			ExpectRefused(Bytes(whole->begin(), whole->begin() + length),
						  length < 4 ? B_NOT_A_MESSAGE : B_BAD_DATA);
		}
	}
}

TEST(MessageFlatten, RefusesHostileInput)
{
	// Offsets in example A: size 8, first field 17 (count-less), its data
	// length 22 and name length 23; second field 33, its length 38.
	struct Row {
		const char* label;
		Bytes bytes;
		status_t status;
	} rows[] = {
		{"unknown magic", Patched(kExampleA, 0, Hex("31 42 4F 47")), B_NOT_A_MESSAGE},
		{"size beyond the buffer", Patched(kExampleA, 8, Hex("36 00 00 00")), B_BAD_DATA},
		{"size short of the fields", Patched(kExampleA, 8, Hex("34 00 00 00")), B_BAD_DATA},
		{"negative size", Patched(kExampleA, 8, Hex("FF FF FF FF")), B_BAD_DATA},
		{"no end byte", Patched(kExampleA, 52, Hex("01")), B_BAD_DATA},
		{"int32 of 5 bytes", Patched(kExampleA, 22, Hex("05")), B_BAD_DATA},
		{"zero data length", Patched(kExampleA, 22, Hex("00")), B_BAD_DATA},
		{"name runs past the end", Patched(kExampleA, 23, Hex("FF")), B_BAD_DATA},
		{"item longer than its block", Patched(kExampleA, 44, Hex("05")), B_BAD_DATA},
		{"negative item length", Patched(kExampleA, 44, Hex("FC FF FF FF")), B_BAD_DATA},
		{"block runs past the message", Patched(kExampleA, 38, Hex("10")), B_BAD_DATA},
		{"a NUL inside a name", Patched(kExampleA, 26, Hex("00")), B_BAD_DATA},
		{"one name, two types",
		 R5("0F 47 4E 4F 4C 04 01 \"a\" 07 00 00 00"
			"0B 52 54 53 43 08 01 \"a\" 04 00 00 00 \"bob\" 00"),
		 B_BAD_DATA},
		{"count times size overflows",
		 R5("05 47 4E 4F 4C 01 00 00 40 04 00 00 00 01 \"a\" 07 00 00 00"), B_BAD_DATA},
		{"count leaves a remainder",
		 R5("05 47 4E 4F 4C 03 00 00 00 08 00 00 00 01 \"a\" 01 00 00 00 02 00 00 00"), B_BAD_DATA},
		{"huge count of strings",
		 R5("01 52 54 53 43 FF FF FF 7F 08 00 00 00 01 \"a\" 04 00 00 00 \"bob\" 00"), B_BAD_DATA},
		{"block longer than its items",
		 R5("09 52 54 53 43 10 00 00 00 01 \"a\" 04 00 00 00 \"bob\" 00 00 00 00 00 00 00 00 00"),
		 B_BAD_DATA},
		{"bool of 2 bytes", R5("0F 4C 4F 4F 42 02 01 \"a\" 01 00"), B_BAD_DATA},
		{"zero count", R5("07 47 4E 4F 4C 00 04 01 \"a\" 07 00 00 00"), B_BAD_DATA},
		{"bytes after the end byte", R5("0F 47 4E 4F 4C 04 01 \"a\" 07 00 00 00 00"), B_BAD_DATA},
		{"native header cut short", Hex("48 4D 46 31 00 00 00 00"), B_BAD_DATA},
		{"native field count beyond the data",
		 Patched(Native(1, 1, -1, -1, {}), 40, Hex("FF FF FF 0F")), B_BAD_DATA},
		{"current specifier without specifiers", Native(1, 0x21, -1, 0, {}), B_BAD_DATA},
	};
	for (const Row& row : rows) {
		SCOPED_TRACE(row.label);
		ExpectRefused(row.bytes, row.status);
	}

	Bytes bytes = Native(1, 1, -1, -1, {{"n", B_INT32_TYPE, true, {Item(int32(1))}}});
	ExpectRefused(Patched(bytes, 68 + 16, Hex("03 00 00 00")), B_BAD_DATA);
	ExpectRefused(Patched(bytes, 68 + 12, Hex("08 00 00 00")), B_BAD_DATA);
	BMessage message;
	EXPECT_EQ(Read(message, bytes), B_OK);
	EXPECT_EQ(message.Unflatten(nullptr, 10), B_BAD_VALUE);
}

TEST(MessageFlatten, DeepNestingStaysFlatUntilAsked)
{
	BMessage message('leaf');
	message.AddString("at", "bottom");
	for (int depth = 0; depth < 500; depth++) {
		BMessage outer('node');
		outer.AddMessage("child", &message);
		message = outer;
	}
	BMessage back;
	ASSERT_EQ(Read(back, Flat(message)), B_OK);
	int depth = 0;
	while (back.FindMessage("child", &back) == B_OK)
		depth++;
	EXPECT_EQ(depth, 500);
	EXPECT_STREQ(string_item(back, "at"), "bottom");

	// Garbage nested bytes are refused only when the nested message is read.
	BMessage holder;
	holder.AddData("child", B_MESSAGE_TYPE, "garbage!", 8, false);
	ASSERT_EQ(Read(back, Flat(holder)), B_OK);
	BMessage nested;
	EXPECT_EQ(back.FindMessage("child", &nested), B_NOT_A_MESSAGE);
}

} // namespace
