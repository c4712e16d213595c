#include "ZIBEditRecordsWindow.h"

#include <algorithm>

#include <AppDefs.h>
#include <Button.h>
#include <Message.h>
#include <StringView.h>

#include "ABookRecord.h"
#include "DialogConstants.h"
#include "MyEntryTextView.h"
#include "ZIBUtils.h"
#include "ZIBWindow.h"
#include "ZIBook.h"

static const BRect kEntryFrame(10, 10, 280, 480);
static const float kLabelRight = 80;
static const float kFieldTop = 4;
static const float kFieldSpacing = 20;

ZIBEditRecordsWindow::ZIBEditRecordsWindow(ZIBWindow* owner)
	: BWindow(CenterWindowOnScreen(kEntryFrame), "Record Data Entry", B_TITLED_WINDOW, 0),
	  fFields(), fDialogView(nullptr), fOwner(owner), fOwnerMessenger(owner), fCancelButton(nullptr)
{
	fOwner->AddDialog(this);
	BuildEntryDialog();
}

ZIBEditRecordsWindow::~ZIBEditRecordsWindow()
{
	fOwner->RemoveDialog(this);
}

bool
ZIBEditRecordsWindow::QuitRequested()
{
	return true;
}

void
ZIBEditRecordsWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgEntryCancel:
			PostMessage(B_QUIT_REQUESTED);
			fOwnerMessenger.SendMessage(kMsgRedrawList);
			break;
		default:
			BWindow::MessageReceived(message);
			break;
	}
}

void
ZIBEditRecordsWindow::BuildEntryDialog()
{
	fDialogView = new BView(Bounds(), "DialogView", B_FOLLOW_ALL_SIDES,
							B_WILL_DRAW | B_PULSE_NEEDED | B_NAVIGABLE_JUMP | B_NAVIGABLE);
	AddChild(fDialogView);
	fDialogView->SetViewColor(kDialogColor);
	BuildTextFields();
	BuildEntryButtons();
}

void
ZIBEditRecordsWindow::BuildTextFields()
{
	const ZIBook* book = fOwner->GetThisABook();
	for (int field = 0; field < kFieldCount; field++) {
		const char* name = book != nullptr ? book->GetFieldName(field) : gInitFieldNames[field];
		BuildOneTextField(BPoint(10, kFieldTop + kFieldSpacing * field), name, field);
	}
	fFields[kNicknameField]->MakeFocus(true);
}

void
ZIBEditRecordsWindow::BuildOneTextField(BPoint where, const char* name, int field)
{
	where.x = kLabelRight;
	BRect labelFrame(where.x - fDialogView->StringWidth(name), where.y, where.x, where.y + 18);
	auto* label = new BStringView(labelFrame, name, name, B_FOLLOW_LEFT | B_FOLLOW_TOP);
	label->SetAlignment(B_ALIGN_RIGHT);
	fDialogView->AddChild(label);

	auto* view = new MyEntryTextView(BRect(85, where.y, 245, where.y + 20), name,
									 BRect(5, 4, 152, 10), B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP,
									 B_WILL_DRAW | B_PULSE_NEEDED | B_NAVIGABLE);
	fDialogView->AddChild(view);
	view->SetWordWrap(false);
	view->SetMaxBytes(kFieldTextLength);
	fFields[field] = view;
}

void
ZIBEditRecordsWindow::BuildEntryButtons()
{
	BuildCancelButton();
}

void
ZIBEditRecordsWindow::BuildCancelButton()
{
	fCancelButton = new BButton(BRect(70, 440, 115, 465), "Cancel_Button", "Cancel",
								new BMessage(kMsgEntryCancel), B_FOLLOW_LEFT | B_FOLLOW_TOP,
								B_WILL_DRAW | B_NAVIGABLE);
	fDialogView->AddChild(fCancelButton);
}

BButton*
ZIBEditRecordsWindow::BuildDefaultButton(const char* name, const char* label, uint32 command)
{
	auto* button = new BButton(BRect(150, 440, 195, 465), name, label, new BMessage(command),
							   B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | B_NAVIGABLE);
	fDialogView->AddChild(button);
	button->MakeDefault(true);
	return button;
}

void
ZIBEditRecordsWindow::ClearTextFields()
{
	for (MyEntryTextView* view : fFields)
		view->Delete(0, view->TextLength());
	fFields[kNicknameField]->MakeFocus(true);
}

void
ZIBEditRecordsWindow::CollectTextFromFields(ABookRecord* record, bool added)
{
	BMessage changed(kMsgBookChanged);
	changed.AddInt64(kSerialField, static_cast<int64>(record->Serial()));
	if (!added)
		changed.AddString(kBeforeField, ZIBook::RecordLine(record).c_str());
	for (int field = 0; field < kFieldCount; field++) {
		char text[kFieldBufferSize] = {};
		long length = std::min<long>(fFields[field]->TextLength(), kFieldTextLength);
		memcpy_no_tabs(text, fFields[field]->Text(), length);
		record->SetField(field, text);
	}
	if (ZIBook* book = fOwner->GetThisABook())
		book->SetDirty(true);
	fOwnerMessenger.SendMessage(&changed);
}

void
ZIBEditRecordsWindow::PutTextInTheWindow(const ABookRecord* record)
{
	for (int field = 0; field < kFieldCount; field++) {
		fFields[field]->Insert(record->Field(field));
		fFields[field]->SelectAll();
	}
}
