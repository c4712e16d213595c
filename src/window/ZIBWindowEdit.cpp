// The Edit menu's commands, "Send E-mail" and the window's history.

#include "ZIBWindow.h"

#include <memory>
#include <string>

#include <Message.h>

#include "ABListItem.h"
#include "ABListView.h"
#include "ABookRecord.h"
#include "BrowserLauncher.h"
#include "ClipboardRecords.h"
#include "ImportReport.h"
#include "ImportReportWindow.h"
#include "MailtoUrl.h"
#include "RecordChangeCommand.h"
#include "RecordsCommand.h"
#include "ZIBook.h"

namespace {

std::vector<const ABookRecord*>
AsConst(const std::vector<ABookRecord*>& records)
{
	return std::vector<const ABookRecord*>(records.begin(), records.end());
}

} // namespace

std::vector<ABookRecord*>
ZIBWindow::_SelectedRecords() const
{
	std::vector<ABookRecord*> records;
	if (fBook == nullptr || fList == nullptr)
		return records;
	for (int32 row = 0; row < fList->CountItems(); row++) {
		if (fList->IsItemSelected(row))
			records.push_back(static_cast<ABListItem*>(fList->ItemAt(row))->aRecord());
	}
	return records;
}

void
ZIBWindow::_SelectionChanged()
{
	// Emptying the list also reports a change, to no selection.
	std::vector<ABookRecord*> selected = _SelectedRecords();
	bool canMail = false;
	for (const ABookRecord* record : selected) {
		if (!MailtoUrl::AddressOf(*record).empty()) {
			canMail = true;
			break;
		}
	}
	fMenus.SelectionChanged(selected.empty() ? nullptr : selected.front(), canMail);
}

void
ZIBWindow::_Undo()
{
	std::vector<ABookRecord*> affected;
	if (fBook != nullptr && fHistory.Undo(fBook, affected))
		_StepTaken(affected);
}

void
ZIBWindow::_Redo()
{
	std::vector<ABookRecord*> affected;
	if (fBook != nullptr && fHistory.Redo(fBook, affected))
		_StepTaken(affected);
}

void
ZIBWindow::_StepTaken(const std::vector<ABookRecord*>& affected)
{
	fBook->SetDirty(true);
	_BookChanged();
	_UpdateUndoItems();
	RedrawList();
	fList->SelectRecords(affected);
}

void
ZIBWindow::_UpdateUndoItems()
{
	fMenus.SetUndoSteps(fHistory.UndoName(), fHistory.RedoName());
}

void
ZIBWindow::_Copy()
{
	std::vector<ABookRecord*> selected = _SelectedRecords();
	if (!selected.empty())
		ClipboardRecords::Copy(AsConst(selected));
}

void
ZIBWindow::_Cut()
{
	std::vector<ABookRecord*> selected = _SelectedRecords();
	if (selected.empty() || ClipboardRecords::Copy(AsConst(selected)) != B_OK)
		return;
	_RemoveRecords("Cut", std::move(selected));
}

void
ZIBWindow::_Clear()
{
	std::vector<ABookRecord*> selected = _SelectedRecords();
	if (!selected.empty())
		_RemoveRecords("Delete", std::move(selected));
}

void
ZIBWindow::_Deselect()
{
	if (fList != nullptr)
		fList->DeselectAll();
}

void
ZIBWindow::_Paste()
{
	if (fBook == nullptr)
		return;
	ABookRecord* last = fBook->GetLastRecord();
	ImportReport report;
	if (!ClipboardRecords::Paste(fBook, report))
		return;
	fList->SelectRecords(_RecordsImported("Paste", last));
	if (!report.Whole() || report.Duplicates() > 0)
		(new ImportReportWindow(report.Text().c_str()))->Show();
}

std::vector<ABookRecord*>
ZIBWindow::_RecordsImported(const char* step, ABookRecord* last)
{
	std::vector<ABookRecord*> added = _RecordsAppended(step, last);
	if (!added.empty()) {
		_BookChanged();
		RedrawList();
	}
	return added;
}

void
ZIBWindow::_SendEmail()
{
	std::string url = MailtoUrl::For(AsConst(_SelectedRecords()));
	if (!url.empty())
		BrowserLauncher::ComposeMail(url);
}

void
ZIBWindow::_RemoveRecords(const char* step, std::vector<ABookRecord*> records)
{
	auto command = std::make_unique<RecordsCommand>(step, std::move(records), false);
	std::vector<ABookRecord*> none;
	command->Redo(fBook, none);
	fHistory.Did(std::move(command));
	fBook->SetDirty(true);
	_BookChanged();
	_UpdateUndoItems();
	RedrawList();
}

std::vector<ABookRecord*>
ZIBWindow::_RecordsAppended(const char* step, ABookRecord* last)
{
	std::vector<ABookRecord*> added;
	for (ABookRecord* record = last != nullptr ? last->GetNextRecord() : fBook->GetListOfRecords();
		 record != nullptr; record = record->GetNextRecord())
		added.push_back(record);
	if (added.empty())
		return added;
	fHistory.Did(std::make_unique<RecordsCommand>(step, added, true));
	_UpdateUndoItems();
	return added;
}

void
ZIBWindow::_RecordDialogChanged(const BMessage* message)
{
	uint64 serial = static_cast<uint64>(message->GetInt64(kSerialField, 0));
	ABookRecord* record = fBook != nullptr && serial != 0 ? fBook->FindRecord(serial) : nullptr;
	if (record == nullptr)
		return;
	const char* before = nullptr;
	if (message->FindString(kBeforeField, &before) != B_OK) {
		fHistory.Did(std::make_unique<RecordsCommand>("Add", std::vector{record}, true));
	} else {
		RecordChangeCommand::Fields old = RecordChangeCommand::FieldsOfLine(before);
		RecordChangeCommand::Fields now = RecordChangeCommand::FieldsOf(record);
		if (old == now)
			return;
		fHistory.Did(std::make_unique<RecordChangeCommand>(record, old, now));
	}
	_UpdateUndoItems();
}
