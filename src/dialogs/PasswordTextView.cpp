#include "PasswordTextView.h"

#include <string_view>

#include <InterfaceDefs.h>

#include <QString>

namespace {

// Longer than any password a person types.
const int32 kPasswordLimit = 255;

} // namespace

PasswordTextView::PasswordTextView(BRect frame, const char* name, BRect textRect)
	: MyEntryTextView(frame, name, textRect, B_FOLLOW_LEFT | B_FOLLOW_TOP,
					  B_WILL_DRAW | B_NAVIGABLE)
{
	SetWordWrap(false);
	MakeSelectable(false);
	SetTypingLimit(kPasswordLimit);
}

void
PasswordTextView::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes >= 1 && (bytes[0] == B_BACKSPACE || bytes[0] == B_DELETE)) {
		// Each shown "*" is one byte, so the caret's offset counts
		// characters.
		int32 start = 0;
		int32 finish = 0;
		GetSelection(&start, &finish);
		const size_t at = static_cast<size_t>(bytes[0] == B_BACKSPACE ? start - 1 : start);
		if ((bytes[0] == B_DELETE || start > 0) && at < fPassword.size())
			fPassword.erase(at, 1);
	}
	MyEntryTextView::KeyDown(bytes, numBytes);
}

void
PasswordTextView::InsertText(const char* text, int32 length, int32 offset,
							 const text_run_array* runs)
{
	if (text == nullptr || length <= 0)
		return;
	std::string_view typed(text, static_cast<size_t>(length));
	typed = typed.substr(0, typed.find_first_of("\t\n\r"));
	const std::u32string characters =
		QString::fromUtf8(typed.data(), static_cast<qsizetype>(typed.size())).toStdU32String();
	const size_t room = static_cast<size_t>(kPasswordLimit) - fPassword.size();
	const std::u32string taken = characters.substr(0, room);
	const size_t at = std::min(static_cast<size_t>(std::max(offset, 0)), fPassword.size());
	fPassword.insert(at, taken);
	const std::string stars(taken.size(), '*');
	MyEntryTextView::InsertText(stars.data(), static_cast<int32>(stars.size()), offset, runs);
}

std::string
PasswordTextView::Password() const
{
	return QString::fromStdU32String(fPassword).toStdString();
}
