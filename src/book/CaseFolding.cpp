#include "CaseFolding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <vector>

#include <unicode/casemap.h>
#include <unicode/uchar.h>
#include <unicode/uset.h>
#include <unicode/utf8.h>

#include "AsciiCase.h"

namespace {

// ICU takes 32-bit lengths: longer texts are folded piece by piece, split
// between characters (folding is the same in every context).
const size_t kPieceLength = 1 << 20;

// How many characters from the key's start are weighed as the one whose
// bytes a text must hold.
const int32_t kCharactersTried = 16;

bool
IsAscii(std::string_view text)
{
	return std::all_of(text.begin(), text.end(),
					   [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
}

void
AppendFolded(std::string_view piece, std::string& folded)
{
	char buffer[256];
	UErrorCode status = U_ZERO_ERROR;
	int32_t length = icu::CaseMap::utf8Fold(U_FOLD_CASE_DEFAULT, piece.data(),
											static_cast<int32_t>(piece.size()), buffer,
											sizeof(buffer), nullptr, status);
	if (U_SUCCESS(status)) {
		folded.append(buffer, length);
		return;
	}
	size_t start = folded.size();
	folded.resize(start + length);
	status = U_ZERO_ERROR;
	icu::CaseMap::utf8Fold(U_FOLD_CASE_DEFAULT, piece.data(), static_cast<int32_t>(piece.size()),
						   folded.data() + start, length, nullptr, status);
	// Only running out of memory makes ICU fail here; the text then stays
	// as it was rather than half folded.
	if (U_FAILURE(status)) {
		folded.resize(start);
		folded.append(piece);
	}
}

// A character whose folding differs from itself: the last byte of its UTF-8
// form and its folding.
struct ChangingCharacter {
	unsigned char lastByte;
	std::string folding;
};

// Every character that changes when case-mapped: these include all that
// folding changes, in either normalization form. Null when ICU cannot list
// them.
const std::vector<ChangingCharacter>*
ChangingCharacters()
{
	static const std::vector<ChangingCharacter> sCharacters = [] {
		std::vector<ChangingCharacter> characters;
		UErrorCode status = U_ZERO_ERROR;
		const USet* set = u_getBinaryPropertySet(UCHAR_CHANGES_WHEN_CASEMAPPED, &status);
		int32_t ranges = U_SUCCESS(status) ? uset_getItemCount(set) : 0;
		for (int32_t i = 0; i < ranges && U_SUCCESS(status); i++) {
			UChar32 start = 0;
			UChar32 end = -1;
			uset_getItem(set, i, &start, &end, nullptr, 0, &status);
			for (UChar32 c = start; c <= end && U_SUCCESS(status); c++) {
				char encoded[U8_MAX_LENGTH];
				int32_t length = 0;
				U8_APPEND_UNSAFE(encoded, length, c);
				characters.push_back({static_cast<unsigned char>(encoded[length - 1]),
									  CaseFolding::Fold(std::string_view(encoded, length))});
			}
		}
		if (U_FAILURE(status))
			characters.clear();
		return characters;
	}();
	return sCharacters.empty() ? nullptr : &sCharacters;
}

} // namespace

std::string
CaseFolding::Fold(std::string_view text)
{
	std::string folded;
	if (IsAscii(text)) {
		folded.resize(text.size());
		std::transform(text.begin(), text.end(), folded.begin(),
					   [](char byte) { return static_cast<char>(ToLowerAscii(byte)); });
		return folded;
	}
	while (text.size() > kPieceLength) {
		size_t split = kPieceLength;
		// Back over at most three continuation bytes to a character's start.
		for (int i = 0; i < 3 && (static_cast<unsigned char>(text[split]) & 0xC0) == 0x80; i++)
			split--;
		AppendFolded(text.substr(0, split), folded);
		text.remove_prefix(split);
	}
	AppendFolded(text, folded);
	return folded;
}

CaseFolding::CaseFolding(std::string_view key) : fKey(Fold(key)), fKeyIsAscii(IsAscii(fKey))
{
	if (fKey.empty())
		return;
	// Without a better choice every text is folded and searched.
	std::fill(std::begin(fTriggers), std::end(fTriggers), true);
	size_t fewest = std::size(fTriggers);
	const std::vector<ChangingCharacter>* changing = ChangingCharacters();
	const int32_t length = static_cast<int32_t>(std::min<size_t>(fKey.size(), INT32_MAX));
	for (int32_t start = 0, tried = 0;
		 changing != nullptr && start < length && tried < kCharactersTried; tried++) {
		int32_t end = start;
		UChar32 c = 0;
		U8_NEXT(fKey.data(), end, length, c);
		if (c >= 0) {
			std::string_view character(fKey.data() + start, end - start);
			bool triggers[256] = {};
			triggers[static_cast<unsigned char>(fKey[end - 1])] = true;
			for (const ChangingCharacter& changed : *changing) {
				if (changed.folding.find(character) != std::string::npos)
					triggers[changed.lastByte] = true;
			}
			size_t count = std::count(std::begin(triggers), std::end(triggers), true);
			if (count < fewest) {
				fewest = count;
				std::copy(std::begin(triggers), std::end(triggers), fTriggers);
			}
		}
		start = end;
	}
	_ListTriggerBytes();
}

void
CaseFolding::_ListTriggerBytes()
{
	for (int byte = 0; byte < 256; byte++) {
		if (fTriggers[byte])
			fTriggerBytes.push_back(static_cast<char>(byte));
	}
}

bool
CaseFolding::FoundIn(std::string_view text) const
{
	if (fKey.empty())
		return true;
	for (char byte : text) {
		if (fTriggers[static_cast<unsigned char>(byte)])
			return _FoundInTriggered(text);
	}
	return false;
}

bool
CaseFolding::FoundIn(const char* text) const
{
	if (fKey.empty())
		return true;
	for (const char* byte = text; *byte != '\0'; byte++) {
		if (fTriggers[static_cast<unsigned char>(*byte)])
			return _FoundInTriggered(std::string_view(text, byte - text + strlen(byte)));
	}
	return false;
}

// ASCII text folds to its own lower case, so it is searched in place.
bool
CaseFolding::_FoundInTriggered(std::string_view text) const
{
	if (!IsAscii(text))
		return Fold(text).find(fKey) != std::string::npos;
	return fKeyIsAscii &&
		   std::search(text.begin(), text.end(), fKey.begin(), fKey.end(), [](char a, char b) {
			   return static_cast<char>(ToLowerAscii(a)) == b;
		   }) != text.end();
}
