#include "ZIBWindow.h"

#include <algorithm>
#include <cstring>

#include <Alert.h>
#include <AppDefs.h>
#include <Application.h>
#include <FilePanel.h>
#include <InterfaceDefs.h>
#include <List.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Message.h>
#include <Screen.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <View.h>

#include "ABListItem.h"
#include "ABListView.h"
#include "ABookRecord.h"
#include "BrowserLauncher.h"
#include "OpenFilePanel.h"
#include "SaveFilePanel.h"
#include "ZIBEntryWindow.h"
#include "ZIBFindWindow.h"
#include "ZIBModifyWindow.h"
#include "ZIBapp.h"
#include "ZIBook.h"

namespace {

const rgb_color kWindowColor = {221, 235, 249, 255};
const float kListTop = 37;
const float kScrollBarSpace = 14;

} // namespace

ZIBWindow::ZIBWindow(BRect frame)
	: BWindow(frame, "Larimo Address Book DIDE", B_DOCUMENT_WINDOW, 0, B_CURRENT_WORKSPACE),
	  fCancelFlag(true), fQuitAfterSave(false), fFindWindow(nullptr), fEntryWindow(nullptr),
	  fModifyWindow(nullptr), fBook(nullptr), fLastWidth(0), fLastHeight(0), fList(nullptr),
	  fWindowView(nullptr), fScrollView(nullptr), fTitleButtonView(nullptr), fOpenPanel(nullptr),
	  fSavePanel(nullptr), fImportPanel(nullptr), fExportPanel(nullptr), fEntryRef(nullptr)
{
	BRect screen = BScreen(B_MAIN_SCREEN_ID).Frame();
	SetSizeLimits(340, screen.right - 20, 54, screen.bottom);
	BuildWholeWindowView();
	BuildMenuBar();
	BuildListTitleButtons();
	fOpenPanel = new OpenFilePanel(be_app);
	fSavePanel = new SaveFilePanel(this);
}

ZIBWindow::~ZIBWindow()
{
	// A dialog acts on this window's book, so none may outlive it.
	while (!fDialogs.empty()) {
		BWindow* dialog = fDialogs.back();
		fDialogs.pop_back();
		if (dialog->Lock())
			dialog->Quit();
	}
	_StopSync();
	delete fOpenPanel;
	delete fSavePanel;
	delete fImportPanel;
	delete fExportPanel;
	SetThisABook(nullptr);
	delete fEntryRef;
}

void
ZIBWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgFileNew:
			be_app->PostMessage(kMsgNewBook);
			break;
		case kMsgFileOpen:
			fOpenPanel->Show();
			break;
		case kMsgFileImport:
			_ShowImportPanel();
			break;
		case kMsgImportFiles:
			_ImportFiles(message);
			break;
		case B_SIMPLE_DATA:
			_Dropped(message);
			break;
		case kMsgFileClose:
			PostMessage(B_QUIT_REQUESTED);
			break;
		case kMsgFileSave:
			_Save();
			break;
		case kMsgFileSaveAs:
			fSavePanel->Show();
			break;
		case kMsgFileExport:
			_ShowExportPanel();
			break;
		case kMsgExportFile:
			_ExportFile(message);
			break;
		case kMsgFileSync:
			_Synchronize(nullptr);
			break;
		case kMsgSyncAccount:
			_Synchronize(message);
			break;
		case kMsgSyncDone:
			_SyncDone();
			break;
		case kMsgFileQuit:
			be_app->PostMessage(B_QUIT_REQUESTED);
			break;
		case kMsgEditSelectAll:
			_SelectAll();
			break;
		case kMsgEditUndo:
			_Undo();
			break;
		case kMsgEditRedo:
			_Redo();
			break;
		case kMsgEditCut:
			_Cut();
			break;
		case kMsgEditCopy:
			_Copy();
			break;
		case kMsgEditPaste:
			_Paste();
			break;
		case kMsgEditClear:
			_Clear();
			break;
		case kMsgEditDeselect:
			_Deselect();
			break;
		case kMsgSendEmail:
			_SendEmail();
			break;
		case kMsgSearchFind:
			_Find();
			break;
		case kMsgSearchFindNext:
			_FindNext();
			break;
		case kMsgSearchResult:
			_SearchResult(message);
			break;
		case kMsgRecordNew:
			_NewRecord();
			break;
		case kMsgRecordModify:
		case kMsgListInvoke:
			_OpenModifyDialog();
			break;
		case kMsgRecordDelete:
			_DeleteSelectedRecord();
			break;
		case kMsgBookChanged:
			_RecordDialogChanged(message);
			_BookChanged();
			break;
		case kMsgListSelection:
			_SelectionChanged();
			break;
		case kMsgSortByField:
			GetSortField(message);
			break;
		case kMsgViewAll:
		case kMsgViewNameEmail:
		case kMsgViewNamePhone:
		case kMsgViewNameAddress:
		case kMsgViewField:
			ProcessViewMenu(message);
			break;
		case kMsgViewLanguageRules:
			_ToggleLanguageRules();
			break;
		case kMsgLanguageRulesChanged:
			_MarkLanguageRules();
			break;
		case kMsgCopyRecord:
			_CopyRecord();
			break;
		case kMsgCopyAddress:
			_CopyAddress();
			break;
		case kMsgOpenWebPage:
			_OpenWebPage();
			break;
		case kMsgInfoWeb:
			BrowserLauncher::GoToWebPage(message);
			break;
		case kMsgInfoAbout:
			be_app->PostMessage(kMsgShowAbout);
			break;
		case kMsgInfoTech:
			be_app->PostMessage(kMsgShowTech);
			break;
		case kMsgFilePrint:
			_PrintList();
			break;
		case kMsgEnvelope:
		case kMsgLetter:
		case kMsgMailMerge:
			_PrintWithOptions(message->what);
			break;
		case kMsgRedrawList:
			RedrawList();
			break;
		case kMsgClearList:
			ClearListWindow();
			break;
		case kMsgSaveFile:
			_SaveFileNamed(message);
			break;
		case B_CANCEL:
			// The import and export panels closing mean nothing more.
			if (message->GetInt32("old_what", 0) != static_cast<int32>(kMsgImportFiles) &&
				message->GetInt32("old_what", 0) != static_cast<int32>(kMsgExportFile))
				_SavePanelClosed();
			break;
		case B_KEY_DOWN:
			break;
		default:
			BWindow::MessageReceived(message);
			break;
	}
}

bool
ZIBWindow::QuitRequested()
{
	if (fBook != nullptr && !HasFile() && fBook->GetTotalRecordsInThisAB() > 0) {
		int32 choice =
			(new BAlert("Message",
						"This address book has no file yet. Save its records before "
						"closing it?",
						"Save As...", "Don't Save", "Cancel", B_WIDTH_AS_USUAL, B_WARNING_ALERT))
				->Go();
		if (choice == 0) {
			fQuitAfterSave = true;
			fSavePanel->Show();
		}
		if (choice != 1)
			return false;
	} else if (fBook != nullptr && fBook->SeeIfDirty() && HasFile() && ZIBSaveFile() != B_OK) {
		return false;
	}
	if (gZIBapp != nullptr)
		gZIBapp->WindowClosed(this);
	return true;
}

void
ZIBWindow::FrameMoved(BPoint)
{
	if (fBook != nullptr)
		fBook->SetDirty(true);
}

void
ZIBWindow::FrameResized(float width, float height)
{
	BRect right(fLastWidth, 0, width, height);
	BRect bottom(0, fLastHeight, width, height);
	if (fList != nullptr) {
		fList->Invalidate(right);
		fList->Invalidate(bottom);
	} else {
		right.left -= 24;
		bottom.top -= 24;
		fWindowView->Invalidate(right);
		fWindowView->Invalidate(bottom);
	}
	fLastWidth = width;
	fLastHeight = height;
	if (fBook != nullptr)
		fBook->SetDirty(true);
}

void
ZIBWindow::WindowActivated(bool active)
{
	if (active && gZIBapp != nullptr)
		gZIBapp->SetActiveWindow(this);
	if (active)
		_OfferReload();
}

void
ZIBWindow::BuildWholeWindowView()
{
	fWindowView = new BView(Bounds(), "WindowView", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
	AddChild(fWindowView);
	fWindowView->SetViewColor(kWindowColor);
}

void
ZIBWindow::BuildMenuBar()
{
	BRect frame(0, 0, Bounds().Width(), 20);
	BMenuBar* bar =
		new BMenuBar(frame, "menu bar", B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP, B_ITEMS_IN_ROW, true);
	fWindowView->AddChild(bar);
	SetKeyMenuBar(bar);
	fMenus.Build(bar);
	_MarkLanguageRules();
}

void
ZIBWindow::BuildListDialog()
{
	BRect frame = fWindowView->Bounds();
	frame.top += kListTop;
	frame.right -= kScrollBarSpace;
	frame.bottom -= kScrollBarSpace;
	fList = new ABListView(frame, "BListView", this);
	fScrollView =
		new BScrollView("Scroll", fList, B_FOLLOW_ALL_SIDES, B_WILL_DRAW, true, true, B_NO_BORDER);
	fWindowView->AddChild(fScrollView);
	fScrollView->ScrollBar(B_VERTICAL)->SetSteps(15, 150);
	fScrollView->ScrollBar(B_HORIZONTAL)->SetSteps(15, 175);
	fList->SetColumnsWidth(_ColumnsWidth());
	fList->MakeFocus(true);
}

void
ZIBWindow::_RemoveListDialog()
{
	if (fScrollView == nullptr)
		return;
	fWindowView->RemoveChild(fScrollView);
	delete fScrollView;
	fScrollView = nullptr;
	fList = nullptr;
}

void
ZIBWindow::SetThisABook(ZIBook* book)
{
	if (book == fBook)
		return;
	fHistory.Clear();
	_UpdateUndoItems();
	_RemoveListDialog();
	delete fBook;
	fBook = book;
	if (fBook != nullptr)
		BuildListDialog();
}

void
ZIBWindow::ClearListWindow()
{
	if (fList == nullptr)
		return;
	BPoint where = fList->GetTitleWhere();
	fList->DeleteAllRows();
	fList->SetTitleWhere(where);
}

void
ZIBWindow::RedrawList()
{
	ClearListWindow();
	if (fList == nullptr || fBook == nullptr)
		return;
	BList rows(std::max<long>(fBook->GetTotalRecordsInThisAB(), 1));
	int32 row = 0;
	for (ABookRecord* record = fBook->GetListOfRecords(); record != nullptr;
		 record = record->GetNextRecord())
		rows.AddItem(new ABListItem(record, this, row++));
	fList->AddList(&rows);
	fMenus.AdjRedrMenus();
	fList->ScrollTo(fList->GetTitleWhere());
}

void
ZIBWindow::AddDialog(BWindow* dialog)
{
	fDialogs.push_back(dialog);
}

void
ZIBWindow::RemoveDialog(BWindow* dialog)
{
	fDialogs.erase(std::remove(fDialogs.begin(), fDialogs.end(), dialog), fDialogs.end());
	if (dialog == fFindWindow)
		fFindWindow = nullptr;
	if (dialog == fEntryWindow)
		fEntryWindow = nullptr;
	if (dialog == fModifyWindow)
		fModifyWindow = nullptr;
}

// A book without a file is saved through the save panel.
void
ZIBWindow::_Save()
{
	if (HasFile())
		ZIBSaveFile();
	else
		fSavePanel->Show();
}

void
ZIBWindow::_NewRecord()
{
	fMenus.SetSaveEnabled(true);
	fEntryWindow = new ZIBEntryWindow(this);
	fEntryWindow->Show();
}

void
ZIBWindow::_SelectAll()
{
	if (fList != nullptr && fBook != nullptr && fBook->GetTotalRecordsInThisAB() > 0)
		fList->Select(0, fBook->GetTotalRecordsInThisAB() - 1, false);
}

void
ZIBWindow::_Find()
{
	fFindWindow = new ZIBFindWindow(this);
	fFindWindow->Show();
}

void
ZIBWindow::_FindNext()
{
	if (fFindWindow != nullptr)
		fFindWindow->PostMessage(kMsgFindAgain);
}

void
ZIBWindow::_SearchResult(BMessage* message)
{
	bool found = message->GetBool(kFoundField, false);
	fMenus.SetFindNextEnabled(found);
	uint64 serial = static_cast<uint64>(message->GetInt64(kSerialField, 0));
	if (!found || fBook == nullptr || fList == nullptr || serial == 0)
		return;
	if (ABookRecord* record = fBook->FindRecord(serial))
		fList->HiDideThisRecord(record);
}

void
ZIBWindow::_BookChanged()
{
	fMenus.EnableFileMenuItems(fBook != nullptr && fBook->SeeIfDirty());
}

void
ZIBWindow::_OpenModifyDialog()
{
	fMenus.SetSaveEnabled(true);
	int32 row = fList != nullptr ? fList->CurrentSelection(0) : -1;
	if (row < 0)
		return;
	fModifyWindow = new ZIBModifyWindow(row, this);
	fModifyWindow->Show();
}

ABookRecord*
ZIBWindow::_SelectedRecord() const
{
	if (fBook == nullptr || fList == nullptr)
		return nullptr;
	auto* row = static_cast<ABListItem*>(fList->ItemAt(fList->CurrentSelection(0)));
	return row != nullptr ? row->aRecord() : nullptr;
}

void
ZIBWindow::_DeleteSelectedRecord()
{
	if (fBook == nullptr || fList == nullptr)
		return;
	if (ABookRecord* record = _SelectedRecord())
		_RemoveRecords("Delete", {record});
	else
		RedrawList();
}

void
ZIBWindow::_CopyRecord()
{
	if (fBook != nullptr && fList != nullptr)
		fBook->AddressToClipboard(fList->CurrentSelection(0));
}

void
ZIBWindow::_CopyAddress()
{
	if (fBook != nullptr && fList != nullptr)
		fBook->FormattedAddressToClipboard(fList->CurrentSelection(0));
}

void
ZIBWindow::_OpenWebPage()
{
	if (ABookRecord* record = _SelectedRecord())
		BrowserLauncher::GoToWebPage(record->Field(kWebAddressField));
}

void
ZIBWindow::_SaveFileNamed(BMessage* message)
{
	fCancelFlag = false;
	ZIBSaveAs(message);
}

// A save panel closed without a name closes the window while the flag is
// set: cancelling the first panel of a new book closes it, unless records
// were put into the book meanwhile.
void
ZIBWindow::_SavePanelClosed()
{
	if (fCancelFlag && (fBook == nullptr || fBook->GetTotalRecordsInThisAB() == 0))
		PostMessage(B_QUIT_REQUESTED);
	fCancelFlag = true;
	fQuitAfterSave = false;
}
