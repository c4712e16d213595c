#include "ZIBook.h"
#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include <Clipboard.h>
#include <Message.h>
#include <TypeConstants.h>

#include "ABookRecord.h"
#include "AsciiCase.h"

const char* const gInitFieldNames[kFieldCount] = {
	"Nickname",     "First Name",  "Middle Name", "Last Name", "Title",           "Company",
	"Address 1",    "Address 2",   "City",        "State",     "Zip/Postal Code", "Country",
	"Phone Number", "Cell Number", "FAX Number",  "Email 1",   "Email 2",         "Web Address",
	"Comments",     "Comments 2",  "Birthday",
};

namespace {

// Copies as much of text as fits into out with its terminator.
void
CopyText(const char* text, char* out, size_t outSize)
{
	if (outSize == 0)
		return;
	size_t length = std::min(strlen(text), outSize - 1);
	memcpy(out, text, length);
	out[length] = '\0';
}

} // namespace

ZIBook::ZIBook(ZIBWindow* window)
	: fWindow(window), fFirstRecord(nullptr), fLastRecord(nullptr), fDirty(false), fRecordCount(0)
{
	std::copy(std::begin(gInitFieldNames), std::end(gInitFieldNames), fFieldNames);
}

ZIBook::~ZIBook()
{
	ABookRecord* record = fFirstRecord;
	while (record != nullptr) {
		ABookRecord* next = record->GetNextRecord();
		delete record;
		record = next;
	}
}

ABookRecord*
ZIBook::makeNewRecord()
{
	return AppendRecord(new ABookRecord);
}

ABookRecord*
ZIBook::AppendRecord(ABookRecord* record)
{
	if (fFirstRecord == nullptr)
		fFirstRecord = record;
	if (fLastRecord != nullptr)
		fLastRecord->SetNextRecord(record);
	record->SetPrevRecord(fLastRecord);
	fLastRecord = record;
	return record;
}

void
ZIBook::deleteRecord(long index)
{
	ABookRecord* record = getRecord(index);
	if (record != nullptr)
		deleteRecord(record);
}

void
ZIBook::deleteRecord(ABookRecord* record)
{
	RemoveRecord(record);
	delete record;
}

void
ZIBook::InsertRecord(ABookRecord* record, ABookRecord* before)
{
	ABookRecord* previous = before != nullptr ? before->GetPrevRecord() : fLastRecord;
	record->SetPrevRecord(previous);
	record->SetNextRecord(before);
	if (previous != nullptr)
		previous->SetNextRecord(record);
	else
		fFirstRecord = record;
	if (before != nullptr)
		before->SetPrevRecord(record);
	else
		fLastRecord = record;
	fRecordCount++;
}

void
ZIBook::RemoveRecord(ABookRecord* record)
{
	ABookRecord* previous = record->GetPrevRecord();
	ABookRecord* next = record->GetNextRecord();
	if (previous != nullptr)
		previous->SetNextRecord(next);
	else
		fFirstRecord = next;
	if (next != nullptr)
		next->SetPrevRecord(previous);
	else
		fLastRecord = previous;
	record->SetPrevRecord(nullptr);
	record->SetNextRecord(nullptr);
	fRecordCount--;
}

ABookRecord*
ZIBook::FindRecord(uint64_t serial) const
{
	for (ABookRecord* record = fFirstRecord; record != nullptr; record = record->GetNextRecord()) {
		if (record->Serial() == serial)
			return record;
	}
	return nullptr;
}

ABookRecord*
ZIBook::getRecord(long index) const
{
	if (index < 0)
		return nullptr;
	ABookRecord* record = fFirstRecord;
	for (long i = 0; i < index && record != nullptr; i++)
		record = record->GetNextRecord();
	return record;
}

const char*
ZIBook::GetFieldName(int field) const
{
	return field >= 0 && field < kFieldCount ? fFieldNames[field] : "";
}

void
ZIBook::AddTheField(const char* text, char*& cursor)
{
	size_t length = strlen(text);
	memcpy(cursor, text, length);
	cursor += length;
	*cursor++ = ' ';
}

void
ZIBook::CollectFormattedAddress(const ABookRecord* record, char* out)
{
	if (record == nullptr)
		return;
	char* cursor = out;
	AddTheField(record->Field(kFirstNameField), cursor);
	AddTheField(record->Field(kMiddleNameField), cursor);
	AddTheField(record->Field(kLastNameField), cursor);
	*cursor++ = '\n';
	for (int field : {kTitleField, kCompanyField, kAddress1Field, kAddress2Field}) {
		AddTheField(record->Field(field), cursor);
		*cursor++ = '\n';
	}
	AddTheField(record->Field(kCityField), cursor);
	AddTheField(record->Field(kStateField), cursor);
	AddTheField(record->Field(kZipField), cursor);
	*cursor = '\0';
}

status_t
ZIBook::FormattedAddressToClipboard(long index) const
{
	const ABookRecord* record = getRecord(index);
	if (record == nullptr)
		return B_BAD_INDEX;
	char address[kFormattedAddressLength + 1];
	CollectFormattedAddress(record, address);
	return PutStringInClipboard(address);
}

status_t
ZIBook::AddressToClipboard(long index) const
{
	const ABookRecord* record = getRecord(index);
	if (record == nullptr)
		return B_BAD_INDEX;
	return PutStringInClipboard(RecordLine(record).c_str());
}

std::string
ZIBook::RecordLine(const ABookRecord* record)
{
	std::string line;
	for (int field = 0; field < kFieldCount; field++) {
		line += record->Field(field);
		line += '\t';
	}
	return line;
}

status_t
ZIBook::PutStringInClipboard(const char* text)
{
	if (!be_clipboard->Lock())
		return B_ERROR;
	be_clipboard->Clear();
	be_clipboard->Data()->AddData("text/plain", B_MIME_TYPE, text, strlen(text));
	status_t status = be_clipboard->Commit();
	be_clipboard->Unlock();
	return status;
}

const ABookRecord*
ZIBook::_FindNickname(const char* nickname) const
{
	for (const ABookRecord* record = fFirstRecord; record != nullptr;
		 record = record->GetNextRecord()) {
		if (EqualIgnoringAsciiCase(record->Field(kNicknameField), nickname))
			return record;
	}
	return nullptr;
}

bool
ZIBook::GetEmailFromNickname(const char* nickname, char* out, size_t outSize) const
{
	const ABookRecord* record = _FindNickname(nickname);
	CopyText(record != nullptr ? record->Field(kEmail1Field) : "", out, outSize);
	return record != nullptr;
}

bool
ZIBook::GetPostalAddressFromNickname(const char* nickname, char* out, size_t outSize) const
{
	const ABookRecord* record = _FindNickname(nickname);
	char address[kFormattedAddressLength + 1] = "";
	CollectFormattedAddress(record, address);
	CopyText(address, out, outSize);
	return record != nullptr;
}
