#include "ZIBWordServicesSession.h"

#include <new>
#include <string>

#include <Messenger.h>

#include "ABookRecord.h"
#include "AsciiCase.h"
#include "BookConstants.h"
#include "WordServicesConstants.h"
#include "ZIBook.h"

namespace {

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
	: WordServicesSession(start), fBook(nullptr), fOwner(be_app_messenger)
{
	if (MenuIndex() != kWordServicesEmailIndex && MenuIndex() != kWordServicesPostalIndex)
		SetError(kWordServicesBadIndex);
	else
		fBook = book;
}

ZIBWordServicesSession::~ZIBWordServicesSession() = default;

void
ZIBWordServicesSession::TakeBook()
{
	if (fBook == nullptr || fReplacements != nullptr)
		return;
	const bool email = MenuIndex() == kWordServicesEmailIndex;
	try {
		auto replacements = std::make_unique<std::unordered_map<std::string, std::string>>();
		char address[kFormattedAddressLength + 1];
		for (const ABookRecord* record = fBook->GetListOfRecords(); record != nullptr;
			 record = record->GetNextRecord()) {
			// What the book's look-ups answer: the first record of a
			// nickname, its "Email 1" or its formatted address.
			const char* nickname = record->Field(kNicknameField);
			std::string key = ascii_lower(nickname);
			if (key.empty() || replacements->count(key) != 0)
				continue;
			if (!email)
				ZIBook::CollectFormattedAddress(record, address);
			replacements->emplace(std::move(key), email ? record->Field(kEmail1Field) : address);
		}
		fReplacements = std::move(replacements);
	} catch (const std::bad_alloc&) {
		// Without memory for the copy the request serves nothing.
	}
}

int32
ZIBWordServicesSession::Go()
{
	WordServicesSession::Go();
	TakeBook();
	for (int32 i = 0; fReplacements != nullptr && !IsDone(); i++) {
		if (GetListBlock(i) != B_OK || IsDone())
			continue;
		if (MenuIndex() == kWordServicesEmailIndex)
			ProcessEmailBlock();
		else
			ProcessPostalAddressBlock();
	}
	// The owner deletes the session when this arrives, after Go().
	if (fOwner.SendMessage(kMsgWordServicesAbort) != B_OK) {
		// No owner to tell: whoever holds the session deletes it.
	}
	return 0;
}

int32
ZIBWordServicesSession::ProcessEmailBlock()
{
	return _ProcessBlock();
}

int32
ZIBWordServicesSession::ProcessPostalAddressBlock()
{
	return _ProcessBlock();
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
ZIBWordServicesSession::_ProcessBlock()
{
	if (fReplacements == nullptr)
		return 0;
	try {
		std::string word;
		const char* cursor = Block().c_str();
		int32 startDistance, endDistance;
		while (!IsOver() && GetNextWord(&cursor, &word, &startDistance, &endDistance)) {
			auto found = fReplacements->find(ascii_lower(word));
			if (found != fReplacements->end())
				ReplaceClientWord(found->second.c_str(), startDistance, endDistance);
		}
	} catch (const std::bad_alloc&) {
		// The rest of this block stays as it is; the next target still runs.
	}
	return 0;
}
