#ifndef LETTER_LAYOUT_H
#define LETTER_LAYOUT_H

#include <string>
#include <vector>

#include <QPageSize>

class ABookRecord;
class QPagedPaintDevice;

// One letter per record: the sender's address and the date at the top
// right, the recipient's address at the left where a window envelope shows
// it, "Dear First Name Last Name," and the body, flowing onto further
// pages when it is long.
class LetterLayout {
public:
	// sender may be null and must outlive the layout; date is shown as it
	// is (the caller formats it in the user's locale).
	LetterLayout(const ABookRecord* sender, std::string date, std::string body, QPageSize pageSize);

	// false when the device could not begin or refused a page.
	bool Print(QPagedPaintDevice* device, const std::vector<const ABookRecord*>& records) const;

	// "Dear First Name Last Name,", or "Dear Sir or Madam," for a record
	// without either name.
	static std::string Salutation(const ABookRecord* record);

private:
	const ABookRecord* fSender;
	std::string fDate;
	std::string fBody;
	QPageSize fPageSize;
};

#endif // LETTER_LAYOUT_H
