#include "UndoHistory.h"

void
UndoHistory::Did(std::unique_ptr<UndoCommand> step)
{
	fSteps.resize(fDone);
	fSteps.push_back(std::move(step));
	if (fSteps.size() > kMaxSteps)
		fSteps.erase(fSteps.begin());
	fDone = fSteps.size();
}

bool
UndoHistory::Undo(ZIBook* book, std::vector<ABookRecord*>& affected)
{
	if (fDone == 0)
		return false;
	fSteps[--fDone]->Undo(book, affected);
	return true;
}

bool
UndoHistory::Redo(ZIBook* book, std::vector<ABookRecord*>& affected)
{
	if (fDone == fSteps.size())
		return false;
	fSteps[fDone++]->Redo(book, affected);
	return true;
}

void
UndoHistory::Clear()
{
	fSteps.clear();
	fDone = 0;
}

const char*
UndoHistory::UndoName() const
{
	return fDone > 0 ? fSteps[fDone - 1]->Name() : nullptr;
}

const char*
UndoHistory::RedoName() const
{
	return fDone < fSteps.size() ? fSteps[fDone]->Name() : nullptr;
}
