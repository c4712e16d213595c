#ifndef BOOK_SNAPSHOT_H
#define BOOK_SNAPSHOT_H

#include <memory>
#include <string>
#include <vector>

class ABookRecord;
class ZIBook;

// Copies of a book's records, taken when a print command starts, so that a
// dialog or a preview that stays open while the book changes still prints
// what was chosen. Not thread-safe.
class BookSnapshot {
public:
	// Copies every record of book, in chain order; rows are the positions
	// to print, every record when there are none.
	BookSnapshot(const ZIBook& book, const std::vector<int>& rows);
	~BookSnapshot();
	BookSnapshot(const BookSnapshot&) = delete;
	BookSnapshot& operator=(const BookSnapshot&) = delete;

	// The records to print.
	const std::vector<const ABookRecord*>& Records() const { return fPrinted; }
	// Every record, for choosing a sender.
	const std::vector<const ABookRecord*>& All() const { return fAll; }
	// The first record whose nickname is nickname (ASCII case ignored), or
	// null.
	const ABookRecord* Nickname(const std::string& nickname) const;

private:
	std::vector<std::unique_ptr<ABookRecord>> fCopies;
	std::vector<const ABookRecord*> fAll;
	std::vector<const ABookRecord*> fPrinted;
};

#endif // BOOK_SNAPSHOT_H
