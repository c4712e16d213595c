#ifndef LANGUAGE_COLLATOR_H
#define LANGUAGE_COLLATOR_H

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <SupportDefs.h>

struct UCollator;

// The order of texts in a phone book of one language (ICU collation), with
// letter case ignored but not accents (strength secondary): "émile" and
// "ÉMILE" are equal, "Emile" comes before both. It turns texts into sort
// keys, byte strings whose order under strcmp is the order of the texts, so
// that a sort compares bytes only.
// Thread-safe: the object never changes after construction.
class LanguageCollator final {
public:
	// locale: an ICU locale id such as "sv_SE" or "ja"; "" names the root
	// collation, the common order of all languages.
	explicit LanguageCollator(const char* locale);
	~LanguageCollator();
	LanguageCollator(const LanguageCollator&) = delete;
	LanguageCollator& operator=(const LanguageCollator&) = delete;

	// B_OK, or B_NO_MEMORY / B_ERROR when ICU could not make the collator;
	// use the object only when it is B_OK.
	status_t InitCheck() const;

	// The locale of the user's collation: the first of LC_ALL, LC_COLLATE
	// and LANG that is set and not empty, without its ".charset" and
	// "@modifier"; "" (root) for C, POSIX or none.
	static std::string UserLocale();
	// The collator of UserLocale(), made on first use and kept for the life
	// of the process.
	static const LanguageCollator& User();

	// Appends the sort key of text and its terminating zero byte to keys; a
	// key holds no other zero byte. Bytes that are not valid UTF-8 sort as
	// U+FFFD.
	void AppendSortKey(std::string_view text, std::vector<char>& keys) const;

private:
	struct CloseCollator {
		void operator()(UCollator* collator) const;
	};
	std::unique_ptr<UCollator, CloseCollator> fCollator;
};

#endif // LANGUAGE_COLLATOR_H
