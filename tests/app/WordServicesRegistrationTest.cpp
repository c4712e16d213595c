#include <sys/stat.h>

#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include <fs_index.h>

#include "RegistrationAttributes.h"
#include "TestDirectory.h"
#include "WordServicesRegistration.h"

namespace {

struct StartRow {
	const char* name;
	bool indexExists;
	Attributes before;
	Attributes after;
};

class Registration : public TestDirectory, public testing::WithParamInterface<StartRow> {
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

// A first start, and one that finds everything in place: the zibmo process
// tests.
TEST_P(Registration, RepairsOnlyWhatIsMissing)
{
	const StartRow& row = GetParam();
	if (row.indexExists) {
		ASSERT_EQ(fs_create_index(fDevice, "WordServicesServer", B_INT32_TYPE, 0), B_OK);
	}
	ASSERT_TRUE(write_attributes(&fNode, row.before));
	bool created = row.indexExists;
	EXPECT_EQ(Start(&created), B_OK);
	EXPECT_EQ(created, !row.indexExists);
	EXPECT_EQ(read_attributes(fNode), row.after);
}

const Attribute kOddCount{B_INT32_TYPE, int32_bytes(5)};
const std::nullopt_t kNone = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
	Rows, Registration,
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
