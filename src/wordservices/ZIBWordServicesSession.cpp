#include "ZIBWordServicesSession.h"

#include <new>
#include <string>
#include <unordered_set>
#include <vector>

#include <Messenger.h>

#include "ABookRecord.h"
#include "AsciiCase.h"
#include "BookConstants.h"
#include "WordServicesConstants.h"
#include "ZIBook.h"

namespace {

// An e-mail field with its terminator; the longest formatted address fits
// the postal buffer with room to spare.
const size_t kEmailBufferSize = kFieldTextLength + 1;
const size_t kPostalBufferSize = 1000;
static_assert(kPostalBufferSize > kFormattedAddressLength);

// The default locale's isalnum, whatever locale the process runs in.
bool
is_word_byte(char c)
{
	return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Nicknames match ignoring ASCII letter case.
std::string
ascii_lower(std::string text)
{
	for (char& c : text)
		c = char(ToLowerAscii(static_cast<unsigned char>(c)));
	return text;
}

} // namespace

ZIBWordServicesSession::ZIBWordServicesSession(BMessage* start, ZIBook* book)
	: WordServicesSession(start), fBook(nullptr)
{
	if (MenuIndex() != kWordServicesEmailIndex && MenuIndex() != kWordServicesPostalIndex)
		SetError(kWordServicesBadIndex);
	else
		fBook = book;
}

ZIBWordServicesSession::~ZIBWordServicesSession() = default;

int32
ZIBWordServicesSession::Go()
{
	WordServicesSession::Go();
	for (int32 i = 0; fBook != nullptr && !IsDone(); i++) {
		if (GetListBlock(i) != B_OK || IsDone())
			continue;
		if (MenuIndex() == kWordServicesEmailIndex)
			ProcessEmailBlock();
		else
			ProcessPostalAddressBlock();
	}
	// The application deletes the session when this arrives, after Go().
	if (be_app_messenger.SendMessage(kMsgWordServicesAbort) != B_OK) {
		// No application to tell: whoever owns the session deletes it.
	}
	return 0;
}

int32
ZIBWordServicesSession::ProcessEmailBlock()
{
	return _ProcessBlock(&ZIBook::GetEmailFromNickname, kEmailBufferSize);
}

int32
ZIBWordServicesSession::ProcessPostalAddressBlock()
{
	return _ProcessBlock(&ZIBook::GetPostalAddressFromNickname, kPostalBufferSize);
}

bool
ZIBWordServicesSession::GetNextWord(const char** cursor, std::string* word, int32* startDistance,
									int32* endDistance) const
{
	const char* end = Block().data() + Block().size();
	const char* start = *cursor;
	while (start < end && !is_word_byte(*start))
		start++;
	if (start == end)
		return false;
	const char* after = start;
	while (after < end && is_word_byte(*after))
		after++;
	word->assign(start, after);
	*cursor = after;
	*endDistance = int32(end - after);
	*startDistance = int32(after - start) + *endDistance;
	return true;
}

int32
ZIBWordServicesSession::_ProcessBlock(Lookup lookup, size_t outSize)
{
	try {
		// The book's look-up walks every record; most words name none, so
		// only words among the nicknames go there.
		std::unordered_set<std::string> nicknames;
		for (const ABookRecord* record = fBook->GetListOfRecords(); record != nullptr;
			 record = record->GetNextRecord()) {
			nicknames.insert(ascii_lower(record->Field(kNicknameField)));
		}
		std::vector<char> out(outSize);
		std::string word;
		const char* cursor = Block().c_str();
		int32 startDistance, endDistance;
		while (GetNextWord(&cursor, &word, &startDistance, &endDistance)) {
			if (nicknames.count(ascii_lower(word)) != 0 &&
				(fBook->*lookup)(word.c_str(), out.data(), outSize)) {
				ReplaceClientWord(out.data(), startDistance, endDistance);
			}
		}
	} catch (const std::bad_alloc&) {
		// The rest of this block stays as it is; the next target still runs.
	}
	return 0;
}
