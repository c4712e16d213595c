#ifndef ZIBWINDOW_H
#define ZIBWINDOW_H

#include <Entry.h>
#include <Window.h>

#include <string>
#include <vector>

#include "BookConstants.h"

class ABListView;
class ABookRecord;
class BDirectory;
class BFile;
class BMenu;
class BMenuBar;
class BMenuItem;
class BScrollView;
class BView;
class OpenFilePanel;
class SaveFilePanel;
class ZIBEntryWindow;
class ZIBFindWindow;
class ZIBModifyWindow;
class ZIBook;

// Main-window commands.
enum {
	kMsgFileNew = 'fmnw',
	kMsgFileOpen = 'fmop',
	kMsgFileImport = 'fmim',
	kMsgFileClose = 'fmcl',
	kMsgFileSave = 'fmsv',
	kMsgFileSaveAs = 'fmsa',
	kMsgFileExport = 'fmex',
	kMsgFilePrint = 'fmpr',
	kMsgFileQuit = 'fmqt',
	kMsgEditUndo = 'edun',
	kMsgEditCut = 'edct',
	kMsgEditCopy = 'edcp',
	kMsgEditPaste = 'edps',
	kMsgEditClear = 'edcl',
	kMsgEditSelectAll = 'edsa',
	kMsgSearchFind = 'srfd',
	kMsgSearchFindNext = 'srfn',
	kMsgRecordNew = 'emen',
	kMsgRecordModify = 'emmd',
	kMsgRecordDelete = 'emdl',
	kMsgListSelection = 'mlsc',
	kMsgListInvoke = 'mldc',
	kMsgSortByField = 'stmu',
	kMsgViewAll = 'vall',
	kMsgViewNameEmail = 'vnem',
	kMsgViewNamePhone = 'vnph',
	kMsgViewNameAddress = 'vnad',
	kMsgViewField = 'vmnu',
	kMsgCopyRecord = 'aclp',
	kMsgCopyAddress = 'acfc',
	kMsgSendEmail = 'acem',
	kMsgEnvelope = 'acen',
	kMsgLetter = 'acml',
	kMsgMailMerge = 'acmm',
	kMsgFax = 'acfx',
	kMsgOpenWebPage = 'acwb',
	kMsgInfoAbout = 'imab',
	kMsgInfoTech = 'imts',
	kMsgInfoWeb = 'imwb',
	kMsgRedrawList = 'lwrd',
	kMsgClearList = 'lwcl',
	kMsgSaveFile = 'SvFl',
	kMsgFindAgain = 'fsag',
};

// The project's web page, carried by the Info menu's messages as "URL".
extern const char* const kMakerWebPage;

// The window of one open address book. It owns the book, the list that
// shows it, the column titles, the menus and the two file panels, and turns
// every command into a call on the book, a dialog, a file operation or a
// message to the application.
class ZIBWindow : public BWindow {
public:
	explicit ZIBWindow(BRect frame);
	// Closes the dialogs still open on this window, then deletes the panels
	// and the book.
	~ZIBWindow() override;

	void MessageReceived(BMessage* message) override;
	// Saves a dirty book that has a file; refuses (the window stays open)
	// when that save fails.
	bool QuitRequested() override;
	void FrameMoved(BPoint where) override;
	void FrameResized(float width, float height) override;
	void WindowActivated(bool active) override;

	// Views.
	void BuildWholeWindowView();
	void BuildListDialog();
	void BuildListTitleButtons();
	void ClearListTitleButtons();
	void ClearListWindow();
	void RedrawList();

	// Menus.
	void BuildMenuBar();
	void BuildFileMenu(BMenuBar* bar);
	void BuildEditMenu(BMenuBar* bar);
	void BuildViewMenu(BMenuBar* bar);
	void BuildSearchMenu(BMenuBar* bar);
	void BuildEntryMenu(BMenuBar* bar);
	void BuildActionMenu(BMenuBar* bar);
	void BuildInfoMenu(BMenuBar* bar);
	void EnableMenus();
	void EnableFileMenuItems();
	void AdjRedrMenus();
	void ClearViewMenu(bool mark);
	void ProcessViewMenu(BMessage* message);
	BMenuItem* GetSearchMenuFindNextItem() const { return fFindNextItem; }
	BMenuItem* GetViewMenuItem(unsigned long index) const;

	// The book's file.
	// Opens the file of the message's first "refs" entry; a file that does
	// not exist gives an empty book. A file that cannot be read whole gives an
	// alert, an empty book without a file, and the error.
	status_t ZIBopen_it(BMessage* message, long count);
	// Writes the book to its file. On failure an alert names the file and
	// the reason, and the book stays dirty; answers the status.
	status_t ZIBSaveFile();
	void ZIBSaveAs(BMessage* message);
	// Whether the book has a file to be saved to.
	bool HasFile() const { return fEntryRef != nullptr; }
	const entry_ref* GetEntryRef() const { return fEntryRef; }
	bool GetIsNickNameFile() const { return fIsNickNameFile; }
	void SetIsNickNameFile(bool flag) { fIsNickNameFile = flag; }

	// Sorting.
	void GetSortField(BMessage* message);
	void SortByField(unsigned short field);

	// The book: the window owns it. Handing over a book builds the list for
	// it; handing over none removes the list. An earlier book is deleted.
	ZIBook* GetThisABook() const { return fBook; }
	void SetThisABook(ZIBook* book);

	// Dialogs register while they are open; the last of each kind is kept.
	void AddDialog(BWindow* dialog);
	void RemoveDialog(BWindow* dialog);
	ZIBFindWindow* GetFindWindow1() const { return fFindWindow; }
	void SetFindWindow1(ZIBFindWindow* window) { fFindWindow = window; }
	ZIBEntryWindow* GetEntryWindow1() const { return fEntryWindow; }
	ZIBModifyWindow* GetModifyWindow1() const { return fModifyWindow; }

	bool GetCancelFlag() const { return fCancelFlag; }
	void SetCancelFlag(bool flag) { fCancelFlag = flag; }
	ABListView* GetABList() const { return fList; }
	void SetABList(ABListView* list) { fList = list; }
	BView* GetWholeWindowView() const { return fWindowView; }
	BScrollView* GetScrollv() const { return fScrollView; }
	BView* GetTitleButtonView() const { return fTitleButtonView; }
	SaveFilePanel* GetSaveFilePanel() const { return fSavePanel; }
	void SetSaveFilePanel(SaveFilePanel* panel) { fSavePanel = panel; }
	OpenFilePanel* GetOpenFilePanel() const { return fOpenPanel; }

private:
	void _SelectionChanged();
	void _OpenModifyDialog();
	void _DeleteSelectedRecord();
	ABookRecord* _SelectedRecord() const;
	void _RemoveListDialog();
	void _SetFile(const entry_ref* ref);

	bool fCancelFlag;
	ZIBFindWindow* fFindWindow;
	ZIBEntryWindow* fEntryWindow;
	ZIBModifyWindow* fModifyWindow;
	ZIBook* fBook;
	BMenuItem* fViewMenuItems[kFieldCount];
	float fLastWidth;
	float fLastHeight;
	bool fIsNickNameFile;
	ABListView* fList;
	BView* fWindowView;
	BScrollView* fScrollView;
	BView* fTitleButtonView;
	OpenFilePanel* fOpenPanel;
	SaveFilePanel* fSavePanel;
	entry_ref* fEntryRef;
	// Its path when it was named, for messages once it cannot be resolved.
	std::string fFilePath;
	std::vector<BWindow*> fDialogs;

	BMenu* fFileMenu;
	BMenuItem* fNewItem;
	BMenuItem* fOpenItem;
	BMenuItem* fCloseItem;
	BMenuItem* fSaveItem;
	BMenuItem* fSaveAsItem;
	BMenuItem* fImportItem;
	BMenuItem* fExportItem;
	BMenuItem* fPrintItem;
	BMenuItem* fQuitItem;
	BMenu* fEditMenu;
	BMenuItem* fUndoItem;
	BMenuItem* fCutItem;
	BMenuItem* fCopyItem;
	BMenuItem* fPasteItem;
	BMenuItem* fClearItem;
	BMenuItem* fSelectAllItem;
	BMenuItem* fDeselectItem;
	BMenuItem* fNewRecordItem;
	BMenuItem* fModifyItem;
	BMenuItem* fDeleteItem;
	BMenu* fSearchMenu;
	BMenuItem* fFindItem;
	BMenuItem* fFindNextItem;
	BMenu* fRecordsMenu;
	BMenu* fInfoMenu;
	BMenu* fActionMenu;
	BMenuItem* fCopyRecordItem;
	BMenuItem* fCopyAddressItem;
	BMenuItem* fWebPageItem;
	BMenuItem* fSendEmailItem;
	BMenu* fViewMenu;
	BMenuItem* fNameEmailItem;
	BMenuItem* fNamePhoneItem;
	BMenuItem* fNameAddressItem;
	BMenuItem* fAllItem;
};

#endif // ZIBWINDOW_H
