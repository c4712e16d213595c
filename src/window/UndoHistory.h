#ifndef UNDO_HISTORY_H
#define UNDO_HISTORY_H

#include <cstddef>
#include <memory>
#include <vector>

#include "UndoCommand.h"

// The steps of one window's history: those done, then those undone that
// can be redone. A new step drops the steps that could be redone. The
// history lives as long as its window and must be cleared before the
// window's book is replaced. Not thread-safe.
class UndoHistory final {
public:
	// How many steps are kept; the oldest go first.
	static constexpr size_t kMaxSteps = 100;

	// step: a change already made to the book.
	void Did(std::unique_ptr<UndoCommand> step);
	// Undo or redo one step; false when there is none.
	bool Undo(ZIBook* book, std::vector<ABookRecord*>& affected);
	bool Redo(ZIBook* book, std::vector<ABookRecord*>& affected);
	void Clear();

	// The name of the step Undo() or Redo() would take; nullptr for none.
	const char* UndoName() const;
	const char* RedoName() const;

private:
	// Steps [0, fDone) are done, [fDone, size) undone.
	std::vector<std::unique_ptr<UndoCommand>> fSteps;
	size_t fDone = 0;
};

#endif // UNDO_HISTORY_H
