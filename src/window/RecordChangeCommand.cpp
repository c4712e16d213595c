#include "RecordChangeCommand.h"

#include "ABookRecord.h"

RecordChangeCommand::RecordChangeCommand(ABookRecord* record, Fields before, Fields after)
	: fRecord(record), fBefore(std::move(before)), fAfter(std::move(after))
{
}

RecordChangeCommand::Fields
RecordChangeCommand::FieldsOfLine(const std::string& line)
{
	Fields fields;
	size_t start = 0;
	for (int field = 0; field < kFieldCount && start <= line.size(); field++) {
		size_t tab = line.find('\t', start);
		if (tab == std::string::npos)
			tab = line.size();
		fields[field] = line.substr(start, tab - start);
		start = tab + 1;
	}
	return fields;
}

RecordChangeCommand::Fields
RecordChangeCommand::FieldsOf(const ABookRecord* record)
{
	Fields fields;
	for (int field = 0; field < kFieldCount; field++)
		fields[field] = record->Field(field);
	return fields;
}

void
RecordChangeCommand::Undo(ZIBook*, std::vector<ABookRecord*>& affected)
{
	_Store(fBefore, affected);
}

void
RecordChangeCommand::Redo(ZIBook*, std::vector<ABookRecord*>& affected)
{
	_Store(fAfter, affected);
}

void
RecordChangeCommand::_Store(const Fields& fields, std::vector<ABookRecord*>& affected)
{
	for (int field = 0; field < kFieldCount; field++)
		fRecord->SetField(field, fields[field].c_str());
	affected.push_back(fRecord);
}
