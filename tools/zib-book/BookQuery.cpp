#include "BookQuery.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <File.h>
#include <ErrnoStatus.h>

#include "ABookRecord.h"
#include "BookConstants.h"
#include "CaseFold.h"
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

} // namespace

BookQuery::BookQuery(const std::vector<std::string>& words)
{
	for (const std::string& word : words) {
		std::string folded;
		AppendCaseFolded(word, folded);
		if (!folded.empty())
			fWords.push_back(folded);
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

	int fd = open(path, O_RDONLY | O_CLOEXEC);
	struct stat info;
	if (fd < 0 || fstat(fd, &info) != 0) {
		status_t error = BPrivate::status_for_errno(errno);
		if (fd >= 0)
			close(fd);
		return error;
	}
	std::string data(info.st_size, '\0');
	size_t done = 0;
	while (done < data.size()) {
		ssize_t got = read(fd, data.data() + done, data.size() - done);
		if (got < 0 && errno == EINTR)
			continue;
		if (got <= 0)
			break;
		done += got;
	}
	close(fd);
	data.resize(done);

	std::string_view rest = data;
	std::string_view fields[kFieldCount];
	std::string haystack;
	while (!rest.empty()) {
		size_t end = rest.find('\n');
		std::string_view line = rest.substr(0, end);
		rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);

		for (std::string_view& field : fields)
			field = std::string_view();
		for (int column = first; column < kFieldCount; column++) {
			size_t tab = line.find('\t');
			fields[column] = Cut(line.substr(0, tab));
			if (tab == std::string_view::npos)
				break;
			line.remove_prefix(tab + 1);
		}
		if (fields[kEmail1Field].empty() && fields[kEmail2Field].empty())
			continue;

		haystack.clear();
		for (int field : kSearchedFields) {
			AppendCaseFolded(fields[field], haystack);
			haystack += '\t';
		}
		bool all = true;
		for (const std::string& word : fWords)
			all = all && haystack.find(word) != std::string::npos;
		if (!all)
			continue;

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
	return B_OK;
}
