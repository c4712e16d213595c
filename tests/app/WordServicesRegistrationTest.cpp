#include <sys/stat.h>

#include <fstream>
#include <map>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include <Node.h>
#include <TypeConstants.h>
#include <fs_attr.h>
#include <fs_index.h>

#include "TestDirectory.h"
#include "WordServicesRegistration.h"

namespace {

// The registration attributes of a node as (type, bytes), absent when missing.
typedef std::map<std::string, std::optional<std::pair<type_code, std::string>>> Attributes;

const char* const kNames[] = {"WordServicesServer", "Menu String Count", "Menu String 0",
							  "Menu String 1"};

// A little-endian int32.
std::string
int32_bytes(uint8 value)
{
	return std::string{char(value), 0, 0, 0};
}

const std::pair<type_code, std::string> kServer{B_INT32_TYPE, int32_bytes(1)};
const std::pair<type_code, std::string> kCount{B_INT32_TYPE, int32_bytes(2)};
const std::pair<type_code, std::string> kEmail{B_STRING_TYPE,
											   std::string("Look Up E-Mail Address", 23)};
const std::pair<type_code, std::string> kPostal{B_STRING_TYPE,
												std::string("Look Up Postal Address", 23)};
// Values no start writes: a start that keeps them wrote nothing there.
const std::pair<type_code, std::string> kOddServer{B_INT32_TYPE, int32_bytes(7)};
const std::pair<type_code, std::string> kOddCount{B_INT32_TYPE, int32_bytes(5)};
const std::pair<type_code, std::string> kOddString{B_STRING_TYPE, std::string("x", 2)};

Attributes
read_attributes(const BNode& node)
{
	Attributes attributes;
	for (const char* name : kNames) {
		attr_info info;
		if (node.GetAttrInfo(name, &info) != B_OK) {
			attributes[name] = std::nullopt;
			continue;
		}
		std::string data(info.size, '\0');
		EXPECT_EQ(node.ReadAttr(name, info.type, 0, data.data(), data.size()), info.size);
		attributes[name] = std::make_pair(info.type, data);
	}
	return attributes;
}

class Registration : public TestDirectory {
protected:
	void SetUp() override
	{
		TestDirectory::SetUp();
		std::ofstream(PathOf("zibmo")) << "executable";
		struct stat info;
		ASSERT_EQ(stat(PathOf("zibmo").c_str(), &info), 0);
		fDevice = info.st_dev;
		ASSERT_EQ(fNode.SetTo(PathOf("zibmo").c_str()), B_OK);
	}

	void Write(const Attributes& attributes)
	{
		for (const auto& [name, value] : attributes) {
			if (value.has_value()) {
				ASSERT_GE(fNode.WriteAttr(name.c_str(), value->first, 0, value->second.data(),
										  value->second.size()),
						  0);
			}
		}
	}

	// What ZIBapp does at start: the index, then the attributes.
	status_t Start(bool* created)
	{
		status_t status = ValidateWordServicesIndex(fDevice, created);
		if (status == B_OK)
			status = RepairWordServicesAttributes(&fNode, *created);
		return status;
	}

	dev_t fDevice = -1;
	BNode fNode;
};

struct StartRow {
	const char* name;
	bool indexExists;
	Attributes before;
	Attributes after;
};

class RegistrationStart : public Registration, public testing::WithParamInterface<StartRow> {};

TEST_P(RegistrationStart, RepairsOnlyWhatIsMissing)
{
	const StartRow& row = GetParam();
	if (row.indexExists) {
		ASSERT_EQ(fs_create_index(fDevice, "WordServicesServer", B_INT32_TYPE, 0), B_OK);
	}
	Write(row.before);
	bool created = row.indexExists;
	EXPECT_EQ(Start(&created), B_OK);
	EXPECT_EQ(created, !row.indexExists);
	EXPECT_EQ(read_attributes(fNode), row.after);
}

const std::nullopt_t kNone = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
	Rows, RegistrationStart,
	// A first start, and one that finds everything in place: the zibmo
	// process tests.
	testing::Values(StartRow{"NewIndexRewritesServer",
							 false,
							 {{"WordServicesServer", kOddServer}, {"Menu String Count", kOddCount}},
							 {{"WordServicesServer", kServer},
							  {"Menu String Count", kOddCount},
							  {"Menu String 0", kNone},
							  {"Menu String 1", kNone}}},
					StartRow{"ServerKeptMenuWritten",
							 true,
							 {{"WordServicesServer", kOddServer}},
							 {{"WordServicesServer", kOddServer},
							  {"Menu String Count", kCount},
							  {"Menu String 0", kEmail},
							  {"Menu String 1", kPostal}}},
					StartRow{"CountKeepsMenuStrings",
							 true,
							 {{"Menu String Count", kCount}, {"Menu String 1", kOddString}},
							 {{"WordServicesServer", kServer},
							  {"Menu String Count", kCount},
							  {"Menu String 0", kNone},
							  {"Menu String 1", kOddString}}}),
	[](const auto& info) { return std::string(info.param.name); });

TEST_F(Registration, IndexThatCannotBeCreatedFailsAndWritesNothing)
{
	// The index registry lies under XDG_DATA_HOME: a plain file there
	// leaves no room for it.
	std::ofstream(PathOf("data")) << "not a directory";
	bool created = false;
	EXPECT_NE(Start(&created), B_OK);
	EXPECT_TRUE(created);
	index_info info;
	EXPECT_NE(fs_stat_index(fDevice, "WordServicesServer", &info), B_OK);
}

} // namespace
