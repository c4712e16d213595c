#ifndef ZIBWINDOW_H
#define ZIBWINDOW_H

#include <Entry.h>
#include <Messenger.h>
#include <Window.h>

#include <memory>
#include <string>
#include <vector>

#include "MainMenus.h"
#include "UndoHistory.h"
#include "WindowConstants.h"
#include "ZIBFiles.h"

class ABListView;
class ABookRecord;
class BFilePanel;
class BookSnapshot;
class BMenuItem;
class BScrollView;
class BView;
class OpenFilePanel;
class SaveFilePanel;
class SyncJob;
class ZIBEntryWindow;
class ZIBFindWindow;
class ZIBModifyWindow;
class ZIBook;

// The window of one open address book. It owns the book, the list that
// shows it, the column titles, the menus and the two file panels, and turns
// every command into a call on the book, a dialog, a file operation or a
// message to the application. Dialogs talk to it by messages.
class ZIBWindow : public BWindow {
public:
	explicit ZIBWindow(BRect frame);
	// Closes the dialogs still open on this window, then deletes the panels
	// and the book.
	~ZIBWindow() override;

	void MessageReceived(BMessage* message) override;
	// Saves a dirty book that has a file; refuses (the window stays open)
	// when that save fails. A book with records and no file asks first:
	// "Save As..." shows the save panel and closes the window once the
	// save succeeds, "Don't Save" closes it, "Cancel" keeps it.
	bool QuitRequested() override;
	void FrameMoved(BPoint where) override;
	void FrameResized(float width, float height) override;
	void WindowActivated(bool active) override;

	// Refills the list from the book; no row stays selected.
	void RedrawList();

	// Opens the file of the message's first "refs" entry; a file that does
	// not exist gives an empty book. A file that cannot be read whole gives an
	// alert, an empty book without a file, and the error.
	status_t ZIBopen_it(BMessage* message, long count);
	// Writes the book to its file. On failure an alert names the file and
	// the reason, and the book stays dirty; answers the status.
	status_t ZIBSaveFile();
	// Whether the book has a file to be saved to.
	bool HasFile() const { return fEntryRef != nullptr; }
	// The book's file, or null.
	const entry_ref* GetEntryRef() const { return fEntryRef; }

	// The book: the window owns it. Handing over a book builds the list for
	// it; handing over none removes the list. An earlier book is deleted.
	ZIBook* GetThisABook() const { return fBook; }
	void SetThisABook(ZIBook* book);

	// Dialogs register while they are open; the last of each kind is kept.
	void AddDialog(BWindow* dialog);
	void RemoveDialog(BWindow* dialog);
	ZIBFindWindow* GetFindWindow1() const { return fFindWindow; }
	ZIBEntryWindow* GetEntryWindow1() const { return fEntryWindow; }
	ZIBModifyWindow* GetModifyWindow1() const { return fModifyWindow; }

	bool GetCancelFlag() const { return fCancelFlag; }
	BMenuItem* GetViewMenuItem(unsigned long index) const;
	ABListView* GetABList() const { return fList; }
	BView* GetWholeWindowView() const { return fWindowView; }
	BScrollView* GetScrollv() const { return fScrollView; }
	BView* GetTitleButtonView() const { return fTitleButtonView; }
	SaveFilePanel* GetSaveFilePanel() const { return fSavePanel; }
	// Null until first shown.
	BFilePanel* GetImportPanel() const { return fImportPanel; }
	BFilePanel* GetExportPanel() const { return fExportPanel; }

private:
	// Views.
	void BuildWholeWindowView();
	void BuildMenuBar();
	void BuildListDialog();
	void _RemoveListDialog();
	void BuildListTitleButtons();
	void ClearListTitleButtons();
	void ClearListWindow();
	float _ColumnsWidth() const;

	// Commands.
	void _Save();
	void _NewRecord();
	void _SelectAll();
	void _Find();
	void _FindNext();
	void _SearchResult(BMessage* message);
	void _BookChanged();
	void _OpenModifyDialog();
	void _DeleteSelectedRecord();
	void _SelectionChanged();
	void _CopyRecord();
	void _CopyAddress();
	void _OpenWebPage();
	void _SaveFileNamed(BMessage* message);
	void _SavePanelClosed();
	ABookRecord* _SelectedRecord() const;

	// Edit and mail commands, and the history (ZIBWindowEdit.cpp).
	void _Undo();
	void _Redo();
	void _Copy();
	void _Cut();
	void _Paste();
	void _Clear();
	void _Deselect();
	void _SendEmail();
	// The selected records, in list order. O(rows).
	std::vector<ABookRecord*> _SelectedRecords() const;
	// Takes records out of the book as one step named step, and refills
	// the list.
	void _RemoveRecords(const char* step, std::vector<ABookRecord*> records);
	// The records after last (all of them when last is nullptr) were just
	// appended to the book: one step named step. Answers them.
	std::vector<ABookRecord*> _RecordsAppended(const char* step, ABookRecord* last);
	// An import or a paste appended the records after last to the book:
	// one undoable step named step, the list refilled. Answers them.
	std::vector<ABookRecord*> _RecordsImported(const char* step, ABookRecord* last);
	// A record dialog added or changed a record.
	void _RecordDialogChanged(const BMessage* message);
	// After a step was undone or redone: the book is changed, the list
	// refilled with affected selected.
	void _StepTaken(const std::vector<ABookRecord*>& affected);
	void _UpdateUndoItems();

	// Printing (ZIBWindowPrint.cpp): the selected records, or all of them.
	void _PrintList();
	void _PrintWithOptions(uint32 command);
	std::shared_ptr<BookSnapshot> _PrintSnapshot() const;
	std::string _BookTitle() const;

	// Columns.
	void ClearViewMenu(bool mark);
	void ProcessViewMenu(BMessage* message);
	void _ToggleLanguageRules();
	void _MarkLanguageRules();

	// Import and export.
	void _ShowImportPanel();
	void _ImportFiles(BMessage* message);
	void _ShowExportPanel();
	void _ExportFile(BMessage* message);
	void _Dropped(BMessage* message);

	// Synchronize: account null asks the book's last account, or opens the
	// account dialog the first time.
	void _Synchronize(BMessage* account);
	void _SyncDone();
	void _StopSync();

	// The book's file.
	void ZIBSaveAs(BMessage* message);
	void _SetFile(const entry_ref* ref);
	bool _ChangedOnDisk(ZIBFileStamp* now) const;
	bool _ConfirmOverwrite();
	void _OfferReload();
	void GetSortField(BMessage* message);

	bool fCancelFlag;
	// Set while the save panel was shown by a close that waits for it.
	bool fQuitAfterSave;
	ZIBFindWindow* fFindWindow;
	ZIBEntryWindow* fEntryWindow;
	ZIBModifyWindow* fModifyWindow;
	ZIBook* fBook;
	float fLastWidth;
	float fLastHeight;
	ABListView* fList;
	BView* fWindowView;
	BScrollView* fScrollView;
	BView* fTitleButtonView;
	OpenFilePanel* fOpenPanel;
	SaveFilePanel* fSavePanel;
	// Made when first used.
	BFilePanel* fImportPanel;
	BFilePanel* fExportPanel;
	entry_ref* fEntryRef;
	// Its path when it was named, for messages once it cannot be resolved.
	std::string fFilePath;
	// The file as this window last read or wrote it, and as it was when
	// the user last declined to reload it.
	ZIBFileStamp fDiskStamp;
	ZIBFileStamp fDeclinedStamp;
	std::vector<BWindow*> fDialogs;
	// The sync running, if any, and the window that shows its progress.
	SyncJob* fSyncJob = nullptr;
	BMessenger fSyncReport;
	MainMenus fMenus;
	// Steps of changes to fBook; cleared when the book is replaced.
	UndoHistory fHistory;
};

#endif // ZIBWINDOW_H
