#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include <Entry.h>

#include "ABookRecord.h"
#include "BookConstants.h"
#include "ZIBFiles.h"
#include "ZIBook.h"

namespace {

// The app opens the sample with every record whole: the current layout is
// recognised without the type attribute, nothing is cut at 40 bytes. The
// records use every field and more than ASCII, and the nicknames of the
// README's look-up example answer what it shows.
TEST(SampleBook, OpensWithEveryRecordWholeAndServesTheDocumentedLookups)
{
	ZIBook book(nullptr);
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(ZIB_SAMPLE_BOOK, &ref), B_OK);
	ASSERT_EQ(ZIBFiles::ReadBook(&ref, &book), B_OK);
	ASSERT_EQ(book.GetTotalRecordsInThisAB(), 12);

	std::ifstream file(ZIB_SAMPLE_BOOK, std::ios::binary);
	std::set<int> usedFields;
	bool nonAscii = false;
	const ABookRecord* record = book.GetListOfRecords();
	for (std::string line; std::getline(file, line); record = record->GetNextRecord()) {
		ASSERT_NE(record, nullptr);
		std::stringstream fields(line + '\t');
		int field = 0;
		for (std::string text; std::getline(fields, text, '\t'); field++) {
			ASSERT_LT(field, kFieldCount) << line;
			EXPECT_EQ(record->Field(field), text) << "field " << field;
			if (!text.empty())
				usedFields.insert(field);
			for (unsigned char byte : text)
				nonAscii = nonAscii || byte >= 0x80;
		}
		EXPECT_EQ(field, kFieldCount) << line;
	}
	EXPECT_EQ(record, nullptr) << "more records than lines";
	EXPECT_EQ(usedFields.size(), static_cast<size_t>(kFieldCount)) << "a field nobody uses";
	EXPECT_TRUE(nonAscii);

	char email[kFieldBufferSize];
	ASSERT_TRUE(book.GetEmailFromNickname("ann", email, sizeof(email)));
	EXPECT_STREQ(email, "ann@example.com");
	ASSERT_TRUE(book.GetEmailFromNickname("BOB", email, sizeof(email)));
	EXPECT_STREQ(email, "bob@example.net");
}

} // namespace
