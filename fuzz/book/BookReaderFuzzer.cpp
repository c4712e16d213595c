// Reads any bytes as a book file in both layouts, whole and record by
// record, and checks the book; then saves the book, opens the saved file and
// checks that the same records come back.

#include <stdio.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <Entry.h>
#include <File.h>
#include <StorageDefs.h>

#include "ABookRecord.h"
#include "FuzzCheck.h"
#include "ZIBFiles.h"
#include "ZIBook.h"

namespace {

// Every field of every record, in chain order; checks the chain on the way.
std::vector<std::string>
CheckedFields(const ZIBook& book)
{
	std::vector<std::string> fields;
	long count = 0;
	const ABookRecord* previous = nullptr;
	for (const ABookRecord* record = book.GetListOfRecords(); record != nullptr;
		 record = record->GetNextRecord()) {
		Check(record->GetPrevRecord() == previous, "previous link");
		for (int field = 0; field < kFieldCount; field++) {
			const char* text = record->Field(field);
			Check(strlen(text) <= kFieldTextLength, "field longer than 40 bytes");
			Check(strpbrk(text, "\t\n") == nullptr, "tab or line feed in a field");
			fields.push_back(text);
		}
		previous = record;
		count++;
	}
	Check(book.GetLastRecord() == previous, "last record");
	Check(book.GetTotalRecordsInThisAB() == count, "record count");
	return fields;
}

// A directory of this process's own for the saved book, on a memory file
// system where there is one, so that syncing costs nothing. Removed at exit.
struct ScratchDirectory {
	ScratchDirectory()
	{
		struct stat info;
		directory = stat("/dev/shm", &info) == 0 && S_ISDIR(info.st_mode)
						? "/dev/shm/zibfuzz.XXXXXX"
						: "/tmp/zibfuzz.XXXXXX";
		Check(mkdtemp(directory.data()) != nullptr, "scratch directory");
		path = directory + "/book";
	}

	~ScratchDirectory()
	{
		unlink(path.c_str());
		rmdir(directory.c_str());
	}

	std::string directory;
	std::string path;
};

const std::string&
SavePath()
{
	static ScratchDirectory scratch;
	return scratch.path;
}

} // namespace

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	int fd = memfd_create("book", MFD_CLOEXEC);
	Check(fd >= 0, "memfd_create");
	Check(write(fd, data, size) == static_cast<ssize_t>(size), "write input");
	std::string input = "/proc/self/fd/" + std::to_string(fd);

	for (bool nicknameFile : {false, true}) {
		BFile file(input.c_str(), B_READ_ONLY);
		Check(file.InitCheck() == B_OK, "open input");
		ZIBFiles::IsCurrentLayout(&file);
		ZIBook book(nullptr);
		Check(ZIBFiles::ReadBook(&file, &book, nicknameFile) == B_OK, "read");
		std::vector<std::string> fields = CheckedFields(book);

		BFile again(input.c_str(), B_READ_ONLY);
		ZIBook single(nullptr);
		ABookRecord record;
		while (ZIBFiles::ReadOneRecord(&again, &record, nicknameFile)) {
			ABookRecord* copy = single.makeNewRecord();
			for (int field = 0; field < kFieldCount; field++)
				copy->SetField(field, record.Field(field));
			single.IncrementTotalRecordsInThisAB();
		}
		Check(CheckedFields(single) == fields, "records read one by one");

		entry_ref ref;
		Check(get_ref_for_path(SavePath().c_str(), &ref) == B_OK, "ref of the saved file");
		Check(ZIBFiles::WriteBook(&book, &ref, ZIBFrame{0, 0, 100, 100}) == B_OK, "save");
		ZIBook saved(nullptr);
		Check(ZIBFiles::ReadBook(&ref, &saved) == B_OK, "open the saved file");
		Check(CheckedFields(saved) == fields, "records after save and open");
	}
	close(fd);
	return 0;
}
