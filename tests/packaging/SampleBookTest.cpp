#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <Entry.h>

#include "ABookRecord.h"
#include "BookConstants.h"
#include "ZIBFiles.h"
#include "ZIBook.h"

namespace {

const char kSamplePath[] = ZIB_SAMPLE_BOOK;
const long kSampleRecords = 12;

// The raw lines of the sample, split at tabs.
std::vector<std::vector<std::string>>
raw_lines()
{
	std::ifstream file(kSamplePath, std::ios::binary);
	std::vector<std::vector<std::string>> lines;
	std::string line;
	while (std::getline(file, line)) {
		std::vector<std::string> fields;
		std::stringstream stream(line);
		std::string field;
		while (std::getline(stream, field, '\t'))
			fields.push_back(field);
		if (!line.empty() && line.back() == '\t')
			fields.emplace_back();
		lines.push_back(fields);
	}
	return lines;
}

class SampleBook : public testing::Test {
protected:
	void SetUp() override
	{
		entry_ref ref;
		ASSERT_EQ(get_ref_for_path(kSamplePath, &ref), B_OK);
		ASSERT_EQ(ZIBFiles::ReadBook(&ref, &fBook), B_OK);
	}

	ZIBook fBook{nullptr};
};

// The app opens the sample with every record whole: the current layout is
// recognised without the type attribute, nothing is cut at 40 bytes.
TEST_F(SampleBook, OpensWithEveryRecordWhole)
{
	ASSERT_EQ(fBook.GetTotalRecordsInThisAB(), kSampleRecords);
	std::vector<std::vector<std::string>> lines = raw_lines();
	ASSERT_EQ(static_cast<long>(lines.size()), kSampleRecords);

	std::set<int> usedFields;
	bool nonAscii = false;
	const ABookRecord* record = fBook.GetListOfRecords();
	for (const std::vector<std::string>& line : lines) {
		ASSERT_NE(record, nullptr);
		ASSERT_EQ(line.size(), static_cast<size_t>(kFieldCount));
		for (int field = 0; field < kFieldCount; field++) {
			EXPECT_EQ(record->Field(field), line[field]) << "field " << field;
			if (!line[field].empty())
				usedFields.insert(field);
			for (unsigned char byte : line[field])
				nonAscii = nonAscii || byte >= 0x80;
		}
		record = record->GetNextRecord();
	}
	EXPECT_EQ(usedFields.size(), static_cast<size_t>(kFieldCount)) << "a field nobody uses";
	EXPECT_TRUE(nonAscii);
}

// The nicknames the README's look-up example uses answer what it shows.
TEST_F(SampleBook, ServesTheDocumentedLookups)
{
	char email[kFieldBufferSize];
	ASSERT_TRUE(fBook.GetEmailFromNickname("ann", email, sizeof(email)));
	EXPECT_STREQ(email, "ann@example.com");
	ASSERT_TRUE(fBook.GetEmailFromNickname("BOB", email, sizeof(email)));
	EXPECT_STREQ(email, "bob@example.net");
}

} // namespace
