#ifndef RECORDS_COMMAND_H
#define RECORDS_COMMAND_H

#include <string>
#include <vector>

#include "UndoCommand.h"

// Records added to or removed from a book: a record made, a paste, an
// import (added), a delete or a cut (removed). While the records are out of
// the book this step owns them, so undoing a removal gives back the very
// records, at their places, in O(1) each.
class RecordsCommand final : public UndoCommand {
public:
	// records: in chain order. added: whether the change put them into the
	// book (and they are in it now) or took them out (and are to be taken
	// out by Redo()).
	RecordsCommand(const char* name, std::vector<ABookRecord*> records, bool added);
	~RecordsCommand() override;
	RecordsCommand(const RecordsCommand&) = delete;
	RecordsCommand& operator=(const RecordsCommand&) = delete;

	const char* Name() const override { return fName.c_str(); }
	void Undo(ZIBook* book, std::vector<ABookRecord*>& affected) override;
	void Redo(ZIBook* book, std::vector<ABookRecord*>& affected) override;

private:
	void _TakeOut(ZIBook* book);
	void _PutBack(ZIBook* book, std::vector<ABookRecord*>& affected);

	std::string fName;
	bool fAdded;
	bool fOut; // the records are out of the book, and owned here
	std::vector<ABookRecord*> fRecords;
	// The record each one was before when it was taken out (nullptr: the
	// end); taken out in order, put back in reverse.
	std::vector<ABookRecord*> fNext;
};

#endif // RECORDS_COMMAND_H
