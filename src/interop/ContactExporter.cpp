#include "ContactExporter.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <sys/stat.h>

#include <ErrnoStatus.h>

#include "ABookRecord.h"
#include "CsvWriter.h"
#include "VCardWriter.h"
#include "ZIBook.h"

std::string
ContactExporter::Text(const std::vector<const ABookRecord*>& records, ExportFormat format)
{
	std::string out;
	// Room for a typical record: growing a large text copies all of it.
	out.reserve(records.size() * (format == ExportFormat::kCsv ? 192 : 416));
	if (format == ExportFormat::kCsv) {
		CsvWriter::AppendHeader(out);
		for (const ABookRecord* record : records)
			CsvWriter::Append(*record, out);
		return out;
	}
	VCardWriter writer(format == ExportFormat::kVCard40 ? VCardWriter::kVersion40
														: VCardWriter::kVersion30);
	for (const ABookRecord* record : records)
		writer.Append(*record, out);
	return out;
}

std::vector<const ABookRecord*>
ContactExporter::AllRecords(const ZIBook& book)
{
	std::vector<const ABookRecord*> records;
	records.reserve(book.GetTotalRecordsInThisAB());
	for (const ABookRecord* record = book.GetListOfRecords(); record != nullptr;
		 record = record->GetNextRecord())
		records.push_back(record);
	return records;
}

status_t
ContactExporter::WriteFile(const std::string& text, const char* path)
{
	std::string temporary = std::string(path) + ".XXXXXX";
	int fd = mkstemp(temporary.data());
	if (fd < 0)
		return BPrivate::status_for_errno(errno);
	size_t written = 0;
	while (written < text.size()) {
		ssize_t result = write(fd, text.data() + written, text.size() - written);
		if (result < 0 && errno == EINTR)
			continue;
		if (result < 0) {
			status_t error = BPrivate::status_for_errno(errno);
			close(fd);
			unlink(temporary.c_str());
			return error;
		}
		written += result;
	}
	// mkstemp gives 0600; an exported file is as readable as any new file.
	mode_t mask = umask(0);
	umask(mask);
	fchmod(fd, 0666 & ~mask);
	if (fsync(fd) != 0 || close(fd) != 0 || rename(temporary.c_str(), path) != 0) {
		status_t error = BPrivate::status_for_errno(errno);
		unlink(temporary.c_str());
		return error;
	}
	return B_OK;
}
