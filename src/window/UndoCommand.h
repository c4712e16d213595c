#ifndef UNDO_COMMAND_H
#define UNDO_COMMAND_H

#include <vector>

class ABookRecord;
class ZIBook;

// One step of a window's history: a change to its book that knows how to
// take itself back and to make itself again. Steps are undone and redone
// strictly in order, so a step always finds the book as it left it (a sort
// in between may only have reordered the chain). Not thread-safe: the
// window's thread uses it with the window locked.
class UndoCommand {
public:
	virtual ~UndoCommand() = default;

	// Names the step in the Edit menu: "Delete" gives "Undo Delete".
	virtual const char* Name() const = 0;
	// Take the change back, or make it again; affected receives the records
	// of the book that the step touched, for the list to select.
	virtual void Undo(ZIBook* book, std::vector<ABookRecord*>& affected) = 0;
	virtual void Redo(ZIBook* book, std::vector<ABookRecord*>& affected) = 0;
};

#endif // UNDO_COMMAND_H
