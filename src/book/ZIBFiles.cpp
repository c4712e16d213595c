#include "ZIBFiles.h"

#include <errno.h>
#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include <Entry.h>
#include <ErrnoStatus.h>
#include <File.h>
#include <Message.h>
#include <Node.h>
#include <Path.h>
#include <StorageDefs.h>
#include <TypeConstants.h>
#include <fs_attr.h>

#include "ABookRecord.h"
#include "BookConstants.h"
#include "BookTarget.h"
#include "SafeSave.h"
#include "ZIBook.h"

namespace {

// Records are read and written in chunks of about this size.
const size_t kReadChunkSize = 64 * 1024;
const size_t kWriteChunkSize = 64 * 1024;
// A type attribute is compared up to its terminator, within this much of it.
const size_t kMaxTypeSize = 40960;
// The largest book file that is opened. Every line becomes a record of its
// own, so far less than the memory a process can have.
const off_t kMaxBookSize = off_t(1) << 30;

// A book larger than the file-size limit must fail to save with an error,
// not end the process with the unsaved records.
void
IgnoreFileSizeSignal()
{
	struct sigaction current;
	if (sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
		signal(SIGXFSZ, SIG_IGN);
}

// Appends the line of record, with its line feed, to out.
void
AppendLine(const ABookRecord* record, std::string& out)
{
	size_t size;
	const char* texts = record->Texts(&size);
	size_t start = out.size();
	out.append(texts, size);
	// The terminators become the tabs between the fields and the line feed.
	char* line = out.data() + start;
	for (char* end = line + size - 1; (line = static_cast<char*>(memchr(line, '\0', end - line)));)
		*line++ = '\t';
	out.back() = '\n';
}

status_t
WriteAll(BFile* file, const std::string& data)
{
	ssize_t written = file->Write(data.data(), data.size());
	if (written < 0)
		return static_cast<status_t>(written);
	return static_cast<size_t>(written) == data.size() ? B_OK : B_IO_ERROR;
}

} // namespace

// The reader works on any source of bytes: next(byte) gives the next byte
// and answers false at the end of the data. Reading a whole book takes the
// bytes from a chunk in local variables, which the compiler keeps in
// registers; the single-field and single-record readers take them from
// BFile one Read() at a time.
template <typename NextByte>
bool
ZIBFiles::_ReadField(NextByte& next, char* buffer, bool& endOfFile, size_t& kept)
{
	// One byte past the 40 kept tells whether the cut splits a character.
	size_t length = 0;
	bool started = false;
	bool endOfLine = true;
	char byte;
	while (next(byte)) {
		if (byte == '\0')
			continue;
		started = true;
		if (byte == '\t' || byte == '\n') {
			endOfLine = byte == '\n';
			break;
		}
		if (length <= kFieldTextLength)
			buffer[length++] = byte;
	}
	kept = ABookRecord::FieldLength(buffer, length);
	buffer[kept] = '\0';
	endOfFile = !started;
	return endOfLine;
}

template <typename NextByte>
bool
ZIBFiles::_ReadLine(NextByte& next, Line& line, bool nicknameFile)
{
	char* cursor = line.texts;
	int column = kNicknameField;
	if (!nicknameFile) {
		// An older file has no nickname column.
		*cursor++ = '\0';
		column++;
	}
	bool lineStarted = false;
	for (;; column++) {
		bool endOfFile;
		size_t length;
		bool endOfLine =
			_ReadField(next, column < kFieldCount ? cursor : line.spare, endOfFile, length);
		if (endOfFile && !lineStarted)
			return false;
		if (column < kFieldCount)
			cursor += length + 1;
		if (endOfFile || endOfLine)
			break;
		lineStarted = true;
	}
	// Columns missing from a short line stay empty.
	for (column++; column < kFieldCount; column++)
		*cursor++ = '\0';
	line.size = cursor - line.texts;
	return true;
}

bool
ZIBFiles::ReadOneField(BFile* file, char* buffer, bool& endOfFile)
{
	auto next = [file](char& byte) { return file->Read(&byte, 1) == 1; };
	size_t length;
	return _ReadField(next, buffer, endOfFile, length);
}

bool
ZIBFiles::ReadOneRecord(BFile* file, ABookRecord* record, bool nicknameFile)
{
	auto next = [file](char& byte) { return file->Read(&byte, 1) == 1; };
	Line line;
	if (!_ReadLine(next, line, nicknameFile)) {
		record->Clear();
		return false;
	}
	record->SetTexts(line.texts, line.size);
	return true;
}

status_t
ZIBFiles::ReadBook(BFile* file, ZIBook* book, bool nicknameFile)
{
	try {
		_ReadBook(file, book, nicknameFile);
	} catch (const std::bad_alloc&) {
		// Every line costs a whole record, so a large file of short lines
		// can exhaust memory; the records read so far stay in the book.
		return B_NO_MEMORY;
	}
	return B_OK;
}

void
ZIBFiles::_ReadBook(BFile* file, ZIBook* book, bool nicknameFile)
{
	std::unique_ptr<char[]> chunk(new char[kReadChunkSize]);
	size_t index = 0;
	size_t length = 0;
	auto next = [&](char& byte) {
		if (index == length) {
			ssize_t read = file->Read(chunk.get(), kReadChunkSize);
			if (read <= 0)
				return false;
			index = 0;
			length = static_cast<size_t>(read);
		}
		byte = chunk[index++];
		return true;
	};
	Line line;
	while (_ReadLine(next, line, nicknameFile)) {
		book->AppendRecord(ABookRecord::Create(line.texts, line.size));
		book->IncrementTotalRecordsInThisAB();
	}
}

status_t
ZIBFiles::ReadBook(const entry_ref* ref, ZIBook* book)
{
	ABookRecord* last = book->GetLastRecord();
	status_t status;
	try {
		status = _ReadFile(ref, book);
	} catch (const std::bad_alloc&) {
		status = B_NO_MEMORY;
	}
	if (status != B_OK) {
		// Drop what was read, so that the memory is free for the alert.
		while (book->GetLastRecord() != last)
			book->deleteRecord(book->GetLastRecord());
	}
	return status;
}

status_t
ZIBFiles::_ReadFile(const entry_ref* ref, ZIBook* book)
{
	BPath path(ref);
	BookTarget target;
	if (path.InitCheck() == B_OK && target.SetTo(path.Path()) == B_OK)
		target.RemoveStaleTemporaries();

	BFile file(ref, B_READ_ONLY);
	status_t status = file.InitCheck();
	if (status != B_OK)
		return status;
	struct stat info;
	if (fstat(BPrivate::node_descriptor(&file), &info) != 0)
		return B_FILE_ERROR;
	if (!S_ISREG(info.st_mode))
		return kNotAFileError;
	if (info.st_size > kMaxBookSize)
		return kBookTooLargeError;
	status = ReadBook(&file, book, IsCurrentLayout(&file));
	if (status != B_OK)
		return status;
	off_t size;
	status = file.GetSize(&size);
	if (status != B_OK)
		return status;
	return file.Position() < size ? B_IO_ERROR : B_OK;
}

bool
ZIBFiles::IsNickname(BMessage* message)
{
	type_code type;
	int32 count = 0;
	entry_ref ref;
	if (message->GetInfo("refs", &type, &count) != B_OK || count < 1 ||
		message->FindRef("refs", &ref) != B_OK)
		return false;
	BEntry entry(&ref, false);
	return IsNickname(&entry);
}

bool
ZIBFiles::IsNickname(BEntry* entry)
{
	BNode node(entry);
	bool current;
	return _ReadType(&node, current) && current;
}

bool
ZIBFiles::IsCurrentLayout(BFile* file)
{
	bool current;
	if (_ReadType(file, current))
		return current;
	return _AnyLineHasAllColumns(file);
}

bool
ZIBFiles::_ReadType(BNode* node, bool& current)
{
	attr_info info;
	if (node->InitCheck() != B_OK || node->GetAttrInfo(kTypeAttribute, &info) != B_OK)
		return false;
	current = false;
	std::string type(std::min(static_cast<size_t>(info.size), kMaxTypeSize), '\0');
	ssize_t length = node->ReadAttr(kTypeAttribute, info.type, 0, type.data(), type.size());
	if (length < 0)
		return true;
	// The type ends at its terminator, or at the attribute's end without one.
	type.resize(strnlen(type.data(), static_cast<size_t>(length)));
	current = type == kBookFileType;
	return true;
}

bool
ZIBFiles::_AnyLineHasAllColumns(BFile* file)
{
	const int kSeparators = kFieldCount - 1;
	std::unique_ptr<char[]> chunk(new char[kReadChunkSize]);
	off_t offset = 0;
	int tabs = 0;
	ssize_t length;
	while ((length = file->ReadAt(offset, chunk.get(), kReadChunkSize)) > 0) {
		for (ssize_t i = 0; i < length; i++) {
			if (chunk[i] == '\t')
				tabs++;
			else if (chunk[i] == '\n') {
				if (tabs == kSeparators)
					return true;
				tabs = 0;
			}
		}
		offset += length;
	}
	return tabs == kSeparators;
}

status_t
ZIBFiles::_WriteRecords(const ZIBook* book, BFile* file)
{
	std::string chunk;
	chunk.reserve(kWriteChunkSize + kFieldCount * kFieldBufferSize);
	for (const ABookRecord* record = book->GetListOfRecords(); record != nullptr;
		 record = record->GetNextRecord()) {
		AppendLine(record, chunk);
		if (chunk.size() >= kWriteChunkSize) {
			status_t status = WriteAll(file, chunk);
			if (status != B_OK)
				return status;
			chunk.clear();
		}
	}
	return WriteAll(file, chunk);
}

status_t
ZIBFiles::_WriteAttributes(BFile* file, const ZIBFrame& frame)
{
	// Four little-endian IEEE floats: left, top, right, bottom.
	unsigned char rect[16];
	const float corners[4] = {frame.left, frame.top, frame.right, frame.bottom};
	for (int i = 0; i < 4; i++) {
		uint32 bits;
		memcpy(&bits, &corners[i], sizeof(bits));
		for (int byte = 0; byte < 4; byte++)
			rect[i * 4 + byte] = static_cast<unsigned char>(bits >> (8 * byte));
	}
	ssize_t written = file->WriteAttr(kTypeAttribute, B_MIME_STRING_TYPE, 0, kBookFileType,
									  sizeof(kBookFileType));
	if (written >= 0)
		written = file->WriteAttr(kFrameAttribute, B_RECT_TYPE, 0, rect, sizeof(rect));
	// A file system without extended attributes still keeps the data; the
	// reader then recognises the layout by its column count.
	if (written == B_UNSUPPORTED)
		return B_OK;
	return written < 0 ? static_cast<status_t>(written) : B_OK;
}

status_t
ZIBFiles::WriteBook(const ZIBook* book, const entry_ref* ref, const ZIBFrame& frame,
					std::string* keptCopy)
{
	IgnoreFileSizeSignal();
	BPath path(ref);
	status_t status = path.InitCheck();
	BookTarget target;
	if (status == B_OK)
		status = target.SetTo(path.Path());
	if (status != B_OK)
		return status;
	SafeSave save(target);
	status = save.Write([&](BFile* file) {
		status_t written = _WriteRecords(book, file);
		return written == B_OK ? _WriteAttributes(file, frame) : written;
	});
	if (keptCopy != nullptr)
		*keptCopy = save.KeptCopy();
	return status;
}

status_t
ZIBFiles::GetStamp(const entry_ref* ref, ZIBFileStamp* stamp)
{
	BPath path(ref);
	struct stat info;
	if (path.InitCheck() != B_OK)
		return path.InitCheck();
	if (stat(path.Path(), &info) != 0)
		return BPrivate::status_for_errno(errno);
	stamp->device = info.st_dev;
	stamp->inode = info.st_ino;
	stamp->size = info.st_size;
	stamp->modified = int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
	return B_OK;
}

const char*
ZIBFiles::StatusText(status_t status)
{
	switch (status) {
		case kUnsafeLinkError:
			return "It is reached through a symbolic link that another user put in a shared folder";
		case kNotAFileError:
			return "It is not a regular file";
		case kBookTooLargeError:
			return "It is larger than an address book can be";
		default:
			return BPrivate::status_text(status);
	}
}
