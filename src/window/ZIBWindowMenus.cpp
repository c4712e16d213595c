// The main window's menu bar and the rules that enable its items.

#include "ZIBWindow.h"

#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Message.h>

#include "ZIBook.h"

namespace {

BMenuItem*
AddItem(BMenu* menu, const char* label, uint32 command, char shortcut, bool enabled)
{
	BMenuItem* item = new BMenuItem(label, new BMessage(command), shortcut, 0);
	menu->AddItem(item);
	item->SetEnabled(enabled);
	return item;
}

void
AddUrlItem(BMenu* menu, const char* label, uint32 command)
{
	BMessage* message = new BMessage(command);
	message->AddString("URL", kMakerWebPage);
	menu->AddItem(new BMenuItem(label, message, 0, 0));
}

} // namespace

void
ZIBWindow::BuildMenuBar()
{
	BRect frame(0, 0, Bounds().Width(), 20);
	BMenuBar* bar =
		new BMenuBar(frame, "menu bar", B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP, B_ITEMS_IN_ROW, true);
	Lock();
	fWindowView->AddChild(bar);
	SetKeyMenuBar(bar);
	Unlock();
	BuildFileMenu(bar);
	BuildEditMenu(bar);
	BuildViewMenu(bar);
	BuildSearchMenu(bar);
	BuildEntryMenu(bar);
	BuildActionMenu(bar);
	BuildInfoMenu(bar);
}

void
ZIBWindow::BuildFileMenu(BMenuBar* bar)
{
	Lock();
	fFileMenu = new BMenu("File", B_ITEMS_IN_COLUMN);
	fNewItem = AddItem(fFileMenu, "New Address Book...", kMsgFileNew, 'N', true);
	fOpenItem = AddItem(fFileMenu, "Open an Address Book...", kMsgFileOpen, 'O', true);
	fCloseItem = AddItem(fFileMenu, "Close this Address Book", kMsgFileClose, 'W', true);
	fFileMenu->AddSeparatorItem();
	fSaveItem = AddItem(fFileMenu, "Save this Address Book", kMsgFileSave, 'S', false);
	fSaveAsItem = AddItem(fFileMenu, "Save this Address Book As...", kMsgFileSaveAs, 0, false);
	fImportItem = AddItem(fFileMenu, "Import an Address Book...", kMsgFileImport, 0, false);
	fExportItem = AddItem(fFileMenu, "Export this Address Book", kMsgFileExport, 0, false);
	fFileMenu->AddSeparatorItem();
	fPrintItem = AddItem(fFileMenu, "Print", kMsgFilePrint, 'P', false);
	fFileMenu->AddSeparatorItem();
	fQuitItem = AddItem(fFileMenu, "Quit", kMsgFileQuit, 'Q', true);
	bar->AddItem(fFileMenu);
	Unlock();
}

void
ZIBWindow::BuildEditMenu(BMenuBar* bar)
{
	Lock();
	fEditMenu = new BMenu("Edit", B_ITEMS_IN_COLUMN);
	fUndoItem = AddItem(fEditMenu, "Undo", kMsgEditUndo, 'Z', false);
	fCutItem = AddItem(fEditMenu, "Cut", kMsgEditCut, 'X', true);
	fCopyItem = AddItem(fEditMenu, "Copy", kMsgEditCopy, 'C', true);
	fPasteItem = AddItem(fEditMenu, "Paste", kMsgEditPaste, 'V', true);
	fClearItem = AddItem(fEditMenu, "Clear", kMsgEditClear, 'B', true);
	fEditMenu->AddSeparatorItem();
	fSelectAllItem = AddItem(fEditMenu, "Select All", kMsgEditSelectAll, 0, true);
	fDeselectItem = new BMenuItem("Deselect", nullptr, 0, 0);
	fEditMenu->AddItem(fDeselectItem);
	fDeselectItem->SetEnabled(false);
	bar->AddItem(fEditMenu);
	fEditMenu->SetEnabled(false);
	Unlock();
}

void
ZIBWindow::BuildViewMenu(BMenuBar* bar)
{
	Lock();
	fViewMenu = new BMenu("View", B_ITEMS_IN_COLUMN);
	fAllItem = AddItem(fViewMenu, "All", kMsgViewAll, 0, true);
	fNameEmailItem = AddItem(fViewMenu, "Name and E-mail", kMsgViewNameEmail, 0, true);
	fNamePhoneItem = AddItem(fViewMenu, "Name and Phone", kMsgViewNamePhone, 0, true);
	fNameAddressItem = AddItem(fViewMenu, "Name and Address", kMsgViewNameAddress, 0, true);
	for (int field = 0; field < kFieldCount; field++) {
		BMessage* message = new BMessage(kMsgViewField);
		message->AddInt32("index", field);
		fViewMenuItems[field] = new BMenuItem(gInitFieldNames[field], message, 0, 0);
		fViewMenu->AddItem(fViewMenuItems[field]);
		fViewMenuItems[field]->SetMarked(true);
	}
	bar->AddItem(fViewMenu);
	fViewMenu->SetEnabled(false);
	Unlock();
}

void
ZIBWindow::BuildSearchMenu(BMenuBar* bar)
{
	Lock();
	fSearchMenu = new BMenu("Search", B_ITEMS_IN_COLUMN);
	fFindItem = AddItem(fSearchMenu, "Find...", kMsgSearchFind, 'F', true);
	fFindNextItem = AddItem(fSearchMenu, "Find Next", kMsgSearchFindNext, 'G', false);
	bar->AddItem(fSearchMenu);
	fSearchMenu->SetEnabled(false);
	Unlock();
}

void
ZIBWindow::BuildEntryMenu(BMenuBar* bar)
{
	Lock();
	fRecordsMenu = new BMenu("Records", B_ITEMS_IN_COLUMN);
	fNewRecordItem = AddItem(fRecordsMenu, "Make a New Record", kMsgRecordNew, 0, true);
	fModifyItem = AddItem(fRecordsMenu, "Modify the Selected Record", kMsgRecordModify, 0, false);
	fDeleteItem = AddItem(fRecordsMenu, "Delete the Selected Record", kMsgRecordDelete, 0, false);
	bar->AddItem(fRecordsMenu);
	fRecordsMenu->SetEnabled(false);
	Unlock();
}

void
ZIBWindow::BuildActionMenu(BMenuBar* bar)
{
	Lock();
	fActionMenu = new BMenu("Action", B_ITEMS_IN_COLUMN);
	fCopyRecordItem =
		AddItem(fActionMenu, "Copy this Record to the Clipboard", kMsgCopyRecord, 0, false);
	fCopyAddressItem =
		AddItem(fActionMenu, "Copy this Address to the Clipboard", kMsgCopyAddress, 0, false);
	fSendEmailItem = AddItem(fActionMenu, "Send E-mail", kMsgSendEmail, 0, false);
	AddItem(fActionMenu, "Address an Envelope", kMsgEnvelope, 0, false);
	AddItem(fActionMenu, "Make a Letter", kMsgLetter, 0, false);
	AddItem(fActionMenu, "Mail Merge", kMsgMailMerge, 0, false);
	AddItem(fActionMenu, "Send a Fax", kMsgFax, 0, false);
	fWebPageItem = AddItem(fActionMenu, "Open this Record's Web Page", kMsgOpenWebPage, 0, false);
	bar->AddItem(fActionMenu);
	fActionMenu->SetEnabled(false);
	Unlock();
}

void
ZIBWindow::BuildInfoMenu(BMenuBar* bar)
{
	Lock();
	fInfoMenu = new BMenu("Info", B_ITEMS_IN_COLUMN);
	fInfoMenu->AddItem(
		new BMenuItem("About Larimo Address Book DIDE", new BMessage(kMsgInfoAbout), 0, 0));
	AddUrlItem(fInfoMenu, "Instructions and Tech Support", kMsgInfoTech);
	AddUrlItem(fInfoMenu, "Visit Vornak Software's Web Page", kMsgInfoWeb);
	bar->AddItem(fInfoMenu);
	Unlock();
}

void
ZIBWindow::EnableMenus()
{
	Lock();
	fEditMenu->SetEnabled(true);
	fSearchMenu->SetEnabled(true);
	fRecordsMenu->SetEnabled(true);
	fActionMenu->SetEnabled(true);
	fViewMenu->SetEnabled(true);
	Unlock();
}

void
ZIBWindow::EnableFileMenuItems()
{
	Lock();
	fNewItem->SetEnabled(true);
	fOpenItem->SetEnabled(true);
	fCloseItem->SetEnabled(true);
	fSaveAsItem->SetEnabled(true);
	fSaveItem->SetEnabled(fBook != nullptr && fBook->SeeIfDirty());
	Unlock();
}

void
ZIBWindow::AdjRedrMenus()
{
	fFindNextItem->SetEnabled(false);
	fModifyItem->SetEnabled(false);
	fDeleteItem->SetEnabled(false);
	fCopyRecordItem->SetEnabled(false);
	fCopyAddressItem->SetEnabled(false);
	fWebPageItem->SetEnabled(false);
}
