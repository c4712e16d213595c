#include <string>

#include <gtest/gtest.h>

#include <Message.h>

#include "WireFrame.h"

using BPrivate::WireFrame;

namespace {

std::string
le32(uint32 value)
{
	std::string bytes;
	for (int shift = 0; shift < 32; shift += 8)
		bytes.push_back(char(value >> shift));
	return bytes;
}

} // namespace

struct BadPayload {
	const char* name;
	std::string sizeField;
	status_t sizeStatus;
};

class WireFrameSize : public testing::TestWithParam<BadPayload> {};

TEST_P(WireFrameSize, RefusesSizesOutsideTheLimits)
{
	uint32 size = 0;
	EXPECT_EQ(WireFrame::PayloadSize(GetParam().sizeField.data(), &size), GetParam().sizeStatus);
}

INSTANTIATE_TEST_SUITE_P(Rows, WireFrameSize,
	testing::Values(BadPayload{"Zero", le32(0), B_BAD_DATA},
		BadPayload{"BelowHeader", le32(WireFrame::kMinPayloadSize - 1), B_BAD_DATA},
		BadPayload{"Smallest", le32(WireFrame::kMinPayloadSize), B_OK},
		BadPayload{"Largest", le32(WireFrame::kMaxPayloadSize), B_OK},
		BadPayload{"OverLimit", le32(WireFrame::kMaxPayloadSize + 1), B_BAD_DATA},
		BadPayload{"Negative", le32(0xffffffff), B_BAD_DATA}),
	[](const auto& info) { return std::string(info.param.name); });

TEST(WireFrame, MalformedPayloadsLeaveAnEmptyMessage)
{
	BMessage good('abcd');
	good.AddInt32("index", 7);
	std::string frame;
	ASSERT_EQ(WireFrame::Encode(3, good, &frame), B_OK);
	const std::string payload = frame.substr(4);

	for (const std::string& bad : {payload.substr(0, payload.size() - 1),
			 std::string(4, '\0') + std::string(40, '\xab'),
			 payload.substr(0, 4) + "XXXX" + payload.substr(8)}) {
		BMessage decoded('keep');
		decoded.AddInt32("stale", 1);
		port_id port;
		EXPECT_NE(WireFrame::DecodePayload(bad.data(), bad.size(), &port, &decoded), B_OK);
		EXPECT_TRUE(decoded.IsEmpty());
	}
}
