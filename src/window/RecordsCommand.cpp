#include "RecordsCommand.h"

#include "ABookRecord.h"
#include "ZIBook.h"

RecordsCommand::RecordsCommand(const char* name, std::vector<ABookRecord*> records, bool added)
	: fName(name), fAdded(added), fOut(false), fRecords(std::move(records))
{
}

RecordsCommand::~RecordsCommand()
{
	if (fOut) {
		for (ABookRecord* record : fRecords)
			delete record;
	}
}

void
RecordsCommand::Undo(ZIBook* book, std::vector<ABookRecord*>& affected)
{
	if (fAdded)
		_TakeOut(book);
	else
		_PutBack(book, affected);
}

void
RecordsCommand::Redo(ZIBook* book, std::vector<ABookRecord*>& affected)
{
	if (fAdded)
		_PutBack(book, affected);
	else
		_TakeOut(book);
}

void
RecordsCommand::_TakeOut(ZIBook* book)
{
	if (fOut)
		return;
	fNext.resize(fRecords.size());
	for (size_t i = 0; i < fRecords.size(); i++) {
		fNext[i] = fRecords[i]->GetNextRecord();
		book->RemoveRecord(fRecords[i]);
	}
	fOut = true;
}

void
RecordsCommand::_PutBack(ZIBook* book, std::vector<ABookRecord*>& affected)
{
	if (!fOut)
		return;
	for (size_t i = fRecords.size(); i-- > 0;)
		book->InsertRecord(fRecords[i], fNext[i]);
	fOut = false;
	affected.insert(affected.end(), fRecords.begin(), fRecords.end());
}
