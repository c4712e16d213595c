#include "LanguageCollator.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <unicode/ucol.h>
#include <unicode/ustring.h>

namespace {

// Room for a field's text; longer texts take a heap buffer.
const int32_t kStackUnits = 64;

} // namespace

LanguageCollator::LanguageCollator(const char* locale)
{
	UErrorCode status = U_ZERO_ERROR;
	fCollator.reset(ucol_open(locale, &status));
	if (U_FAILURE(status)) {
		fCollator.reset();
		return;
	}
	ucol_setStrength(fCollator.get(), UCOL_SECONDARY);
}

void
LanguageCollator::CloseCollator::operator()(UCollator* collator) const
{
	ucol_close(collator);
}

LanguageCollator::~LanguageCollator() = default;

status_t
LanguageCollator::InitCheck() const
{
	return fCollator != nullptr ? B_OK : B_ERROR;
}

std::string
LanguageCollator::UserLocale()
{
	for (const char* variable : {"LC_ALL", "LC_COLLATE", "LANG"}) {
		const char* value = getenv(variable);
		if (value == nullptr || value[0] == '\0')
			continue;
		std::string locale(value, strcspn(value, ".@"));
		return locale == "C" || locale == "POSIX" ? std::string() : locale;
	}
	return std::string();
}

const LanguageCollator&
LanguageCollator::User()
{
	static const LanguageCollator sUser(UserLocale().c_str());
	return sUser;
}

void
LanguageCollator::AppendSortKey(std::string_view text, std::vector<char>& keys) const
{
	UChar stackUnits[kStackUnits];
	std::vector<UChar> heapUnits;
	UChar* units = stackUnits;
	int32_t length = 0;
	UErrorCode status = U_ZERO_ERROR;
	// ICU lengths are 32-bit: a longer text sorts by its beginning.
	const int32_t textLength = static_cast<int32_t>(std::min<size_t>(text.size(), INT32_MAX / 2));
	u_strFromUTF8WithSub(units, kStackUnits, &length, text.data(), textLength, 0xFFFD, nullptr,
						 &status);
	if (status == U_BUFFER_OVERFLOW_ERROR) {
		heapUnits.resize(length);
		units = heapUnits.data();
		status = U_ZERO_ERROR;
		u_strFromUTF8WithSub(units, length, &length, text.data(), textLength, 0xFFFD, nullptr,
							 &status);
	}
	const size_t start = keys.size();
	if (fCollator == nullptr || U_FAILURE(status)) {
		keys.push_back('\0');
		return;
	}
	// A secondary key takes about three bytes per character.
	int32_t room = 3 * length + 16;
	keys.resize(start + room);
	int32_t size = ucol_getSortKey(fCollator.get(), units, length,
								   reinterpret_cast<uint8_t*>(keys.data() + start), room);
	if (size > room) {
		keys.resize(start + size);
		size = ucol_getSortKey(fCollator.get(), units, length,
							   reinterpret_cast<uint8_t*>(keys.data() + start), size);
	}
	// getSortKey answers 0 on failure; the text then sorts first.
	keys.resize(start + std::max(size, 1));
	keys.back() = '\0';
}
