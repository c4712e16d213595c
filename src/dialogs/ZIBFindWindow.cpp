#include "ZIBFindWindow.h"

#include <AppDefs.h>
#include <Button.h>
#include <Message.h>
#include <StringView.h>

#include "ABookRecord.h"
#include "DialogConstants.h"
#include "MyEntryTextView.h"
#include "ZIBWindow.h"
#include "ZIBapp.h"

static const BRect kFindFrame(120, 120, 470, 230);

ZIBFindWindow::ZIBFindWindow(ZIBWindow* owner)
	: BWindow(kFindFrame, "Find", B_DOCUMENT_WINDOW, B_NOT_ZOOMABLE | B_NOT_RESIZABLE),
	  fOwner(owner), fOwnerMessenger(owner), fDialogView(nullptr), fSearchView(nullptr),
	  fCancelButton(nullptr), fSearchButton(nullptr), fSearchAgainButton(nullptr),
	  fFindAllButton(nullptr)
{
	fOwner->AddDialog(this);
	BuildFindDialog();
	AddShortcut('g', 0, new BMessage(kMsgFindAgain));
}

ZIBFindWindow::~ZIBFindWindow()
{
	fOwner->RemoveDialog(this);
}

bool
ZIBFindWindow::QuitRequested()
{
	return true;
}

void
ZIBFindWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgFindSearch:
			TheSearch();
			break;
		case kMsgFindAgain:
			SearchForNext();
			break;
		case kMsgFindCancel:
			PostMessage(B_QUIT_REQUESTED);
			break;
		default:
			BWindow::MessageReceived(message);
			break;
	}
}

void
ZIBFindWindow::BuildFindDialog()
{
	fDialogView = new BView(Bounds(), "FindDialogView", B_FOLLOW_ALL_SIDES,
							B_WILL_DRAW | B_PULSE_NEEDED | B_NAVIGABLE_JUMP | B_NAVIGABLE);
	AddChild(fDialogView);
	fDialogView->SetViewColor(kDialogColor);
	BuildFindTextFields();
	BuildFindButtons();
}

void
ZIBFindWindow::BuildFindTextFields()
{
	fDialogView->AddChild(new BStringView(BRect(38, 28, 90, 43), "fstr", "Search For",
										  B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW));
	// Not navigable: Tab leaves it for the buttons, a click brings the
	// focus back.
	fSearchView = new MyEntryTextView(BRect(95, 24, 210, 48), "", BRect(5, 5, 106, 22),
									  B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_PULSE_NEEDED);
	fDialogView->AddChild(fSearchView);
	fSearchView->SetWordWrap(false);
	fSearchView->MakeFocus(true);
}

void
ZIBFindWindow::BuildFindButtons()
{
	BuildSearchButton();
	BuildSearchAgainButton();
	BuildFindAllButton();
	BuildCancelButton();
}

void
ZIBFindWindow::BuildSearchButton()
{
	fSearchButton = _BuildButton(BRect(25, 70, 70, 90), "Search_Button", "Search", kMsgFindSearch);
	fSearchButton->MakeDefault(true);
}

void
ZIBFindWindow::BuildSearchAgainButton()
{
	fSearchAgainButton =
		_BuildButton(BRect(95, 70, 170, 90), "SearchAgain_Button", "Search Again", kMsgFindAgain);
	fSearchAgainButton->SetEnabled(false);
}

// "Find All" is shown but never enabled.
void
ZIBFindWindow::BuildFindAllButton()
{
	fFindAllButton =
		_BuildButton(BRect(195, 70, 250, 90), "FindAll_Button", "Find All", kMsgFindAll);
	fFindAllButton->SetEnabled(false);
}

void
ZIBFindWindow::BuildCancelButton()
{
	fCancelButton =
		_BuildButton(BRect(275, 70, 325, 90), "Cancel_Button", "Cancel", kMsgFindCancel);
}

BButton*
ZIBFindWindow::_BuildButton(BRect frame, const char* name, const char* label, uint32 command)
{
	auto* button = new BButton(frame, name, label, new BMessage(command),
							   B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | B_NAVIGABLE);
	fDialogView->AddChild(button);
	return button;
}

void
ZIBFindWindow::TheSearch()
{
	const ZIBook* book = fOwner->GetThisABook();
	LetterCase rule = gZIBapp != nullptr && gZIBapp->GetLanguageRules() ? LetterCase::kEveryScript
																		: LetterCase::kAsciiOnly;
	_ShowResult(book != nullptr ? fSearch.TheSearch(book, fSearchView->Text(), rule) : nullptr);
}

// A search whose book the owner no longer shows has run out.
void
ZIBFindWindow::SearchForNext()
{
	const ZIBook* book = fOwner->GetThisABook();
	bool sameBook = book != nullptr && book == fSearch.GetBook();
	_ShowResult(sameBook ? fSearch.SearchForNext() : nullptr);
}

void
ZIBFindWindow::_ShowResult(ABookRecord* hit)
{
	fSearchAgainButton->SetEnabled(hit != nullptr);
	BMessage result(kMsgSearchResult);
	result.AddBool(kFoundField, hit != nullptr);
	if (hit != nullptr)
		result.AddInt64(kSerialField, static_cast<int64>(hit->Serial()));
	fOwnerMessenger.SendMessage(&result);
}
