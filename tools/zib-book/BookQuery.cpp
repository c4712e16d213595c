#include "BookQuery.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <File.h>
#include <ErrnoStatus.h>

#include "ABookRecord.h"
#include "BookConstants.h"
#include "ZIBFiles.h"

namespace {

const int kSearchedFields[] = {kNicknameField, kFirstNameField, kLastNameField,
							   kCompanyField,  kEmail1Field,    kEmail2Field};

// The text of a field as a book file keeps it: at most 40 bytes.
std::string_view
Cut(std::string_view text)
{
	return text.size() > kFieldTextLength
			   ? text.substr(0, ABookRecord::FieldLength(text.data(), text.size()))
			   : text;
}

// The position of the first tab at or after from, or the line's size.
size_t
NextTab(std::string_view line, size_t from)
{
#ifdef __SSE2__
	const __m128i tabs = _mm_set1_epi8('\t');
	for (; from + 16 <= line.size(); from += 16) {
		__m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.data() + from));
		int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, tabs));
		if (mask != 0)
			return from + __builtin_ctz(mask);
	}
#endif
	while (from < line.size() && line[from] != '\t')
		from++;
	return from;
}

} // namespace

BookQuery::BookQuery(const std::vector<std::string>& words)
{
	for (const std::string& word : words) {
		if (!word.empty())
			fWords.emplace_back(word);
	}
}

status_t
BookQuery::Run(const char* path, std::vector<Match>& matches, int& records) const
{
	records = 0;
	BFile file(path, B_READ_ONLY);
	if (file.InitCheck() != B_OK)
		return file.InitCheck();
	int first = ZIBFiles::IsCurrentLayout(&file) ? 0 : 1;

	// Mapped rather than read: no copy of a book that may be large.
	int fd = open(path, O_RDONLY | O_CLOEXEC);
	struct stat info;
	if (fd < 0 || fstat(fd, &info) != 0) {
		status_t error = BPrivate::status_for_errno(errno);
		if (fd >= 0)
			close(fd);
		return error;
	}
	size_t size = info.st_size;
	void* mapped =
		size > 0 ? mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0) : nullptr;
	close(fd);
	if (mapped == MAP_FAILED)
		return BPrivate::status_for_errno(errno);
	std::string_view data(static_cast<const char*>(mapped), size);
	_Scan(data, first, matches, records);
	if (mapped != nullptr)
		munmap(mapped, size);
	return B_OK;
}

void
BookQuery::_Scan(std::string_view data, int first, std::vector<Match>& matches, int& records) const
{
	// Only the lines where the first word may be are read: most lines never
	// are.
	size_t from = 0;
	while (from < data.size()) {
		size_t place = fWords.empty() ? from : fWords.front().NextPlace(data, from);
		if (place == data.size())
			break;
		const void* before =
			place > from ? memrchr(data.data() + from, '\n', place - from) : nullptr;
		size_t start =
			before != nullptr ? static_cast<const char*>(before) - data.data() + 1 : from;
		size_t end = std::min(data.find('\n', place), data.size());
		_ScanLine(data.substr(start, end - start), first, matches, records);
		from = end + 1;
	}
}

void
BookQuery::_ScanLine(std::string_view line, int first, std::vector<Match>& matches,
					 int& records) const
{
	// Fields 0 to "Email 2" in one pass; the ones after it are never
	// searched nor shown.
	std::string_view fields[kFieldCount];
	int column = first;
	size_t start = 0;
	for (size_t tab = NextTab(line, 0); column <= kEmail2Field; tab = NextTab(line, tab + 1)) {
		fields[column++] = Cut(line.substr(start, tab - start));
		if (tab == line.size())
			break;
		start = tab + 1;
	}
	if (fields[kEmail1Field].empty() && fields[kEmail2Field].empty())
		return;

	for (const QueryWord& word : fWords) {
		bool found = false;
		for (int field : kSearchedFields)
			found = found || word.FoundIn(fields[field]);
		if (!found)
			return;
	}

	records++;
	std::string name(fields[kFirstNameField]);
	if (!fields[kLastNameField].empty())
		name += (name.empty() ? "" : " ") + std::string(fields[kLastNameField]);
	for (int field : {kEmail1Field, kEmail2Field}) {
		if (!fields[field].empty())
			matches.push_back(
				{std::string(fields[field]), name, std::string(fields[kNicknameField])});
	}
}
