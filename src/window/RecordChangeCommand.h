#ifndef RECORD_CHANGE_COMMAND_H
#define RECORD_CHANGE_COMMAND_H

#include <array>
#include <string>

#include "BookConstants.h"
#include "UndoCommand.h"

// A record of the book whose fields were changed (the modify dialog).
class RecordChangeCommand final : public UndoCommand {
public:
	using Fields = std::array<std::string, kFieldCount>;

	// record: in the book, holding after now.
	RecordChangeCommand(ABookRecord* record, Fields before, Fields after);

	// The 21 fields of a record line (each followed by a tab, as
	// ZIBook::RecordLine writes it).
	static Fields FieldsOfLine(const std::string& line);
	static Fields FieldsOf(const ABookRecord* record);

	const char* Name() const override { return "Modify"; }
	void Undo(ZIBook* book, std::vector<ABookRecord*>& affected) override;
	void Redo(ZIBook* book, std::vector<ABookRecord*>& affected) override;

private:
	void _Store(const Fields& fields, std::vector<ABookRecord*>& affected);

	ABookRecord* fRecord;
	Fields fBefore;
	Fields fAfter;
};

#endif // RECORD_CHANGE_COMMAND_H
