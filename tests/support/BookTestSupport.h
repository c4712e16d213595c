#ifndef BOOK_TEST_SUPPORT_H
#define BOOK_TEST_SUPPORT_H

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ABookRecord.h"
#include "ZIBook.h"

// A user and a group that own nothing on the system.
const uid_t kOtherUser = 54321;
const gid_t kOtherGroup = 54321;

// Runs action without the power to override file permissions: as it is when
// not root, else in a child process that runs as kOtherUser.
inline bool
AsOtherUser(const std::function<bool()>& action)
{
	if (geteuid() != 0)
		return action();
	pid_t child = fork();
	if (child == 0)
		_exit(setgroups(0, nullptr) == 0 && setgid(kOtherGroup) == 0 && setuid(kOtherUser) == 0 &&
					  action()
				  ? 0
				  : 1);
	int status = 0;
	waitpid(child, &status, 0);
	return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A record as the tests write it: its fields from field 0 on; the rest empty.
using Fields = std::vector<std::string>;

inline void
AddRecords(ZIBook& book, const std::vector<Fields>& records)
{
	for (const Fields& fields : records) {
		ABookRecord* record = book.makeNewRecord();
		for (size_t field = 0; field < fields.size(); field++)
			record->SetField(static_cast<int>(field), fields[field].c_str());
		book.IncrementTotalRecordsInThisAB();
	}
}

// One field of every record, in chain order.
inline std::vector<std::string>
Column(const ZIBook& book, int field)
{
	std::vector<std::string> column;
	for (const ABookRecord* record = book.GetListOfRecords(); record != nullptr;
		 record = record->GetNextRecord())
		column.push_back(record->Field(field));
	return column;
}

inline Fields
RecordFields(const ABookRecord& record)
{
	Fields fields;
	for (int field = 0; field < kFieldCount; field++)
		fields.push_back(record.Field(field));
	return fields;
}

// All 21 fields of every record, in chain order.
inline std::vector<Fields>
Records(const ZIBook& book)
{
	std::vector<Fields> records;
	for (const ABookRecord* record = book.GetListOfRecords(); record != nullptr;
		 record = record->GetNextRecord())
		records.push_back(RecordFields(*record));
	return records;
}

// Records padded to 21 fields, as Records() reports them.
inline std::vector<Fields>
Padded(std::vector<Fields> records)
{
	for (Fields& fields : records)
		fields.resize(kFieldCount);
	return records;
}

// The chain runs both ways between first and last record and the count is
// its length.
inline void
ExpectConsistentLinks(const ZIBook& book)
{
	long count = 0;
	const ABookRecord* previous = nullptr;
	for (const ABookRecord* record = book.GetListOfRecords(); record != nullptr;
		 record = record->GetNextRecord()) {
		ASSERT_EQ(record->GetPrevRecord(), previous);
		previous = record;
		count++;
	}
	EXPECT_EQ(book.GetLastRecord(), previous);
	EXPECT_EQ(book.GetTotalRecordsInThisAB(), count);
}

#endif // BOOK_TEST_SUPPORT_H
