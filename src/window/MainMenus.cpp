#include "MainMenus.h"

#include <cstring>
#include <string>

#include <InterfaceDefs.h>

#include <Menu.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Message.h>

#include "ABookRecord.h"
#include "WindowConstants.h"
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
MainMenus::Build(BMenuBar* bar)
{
	_BuildFileMenu(bar);
	_BuildEditMenu(bar);
	_BuildViewMenu(bar);
	_BuildSearchMenu(bar);
	_BuildRecordsMenu(bar);
	_BuildActionMenu(bar);
	_BuildInfoMenu(bar);
}

void
MainMenus::_BuildFileMenu(BMenuBar* bar)
{
	BMenu* fileMenu = new BMenu("File", B_ITEMS_IN_COLUMN);
	newItem = AddItem(fileMenu, "New Address Book...", kMsgFileNew, 'N', true);
	openItem = AddItem(fileMenu, "Open an Address Book...", kMsgFileOpen, 'O', true);
	closeItem = AddItem(fileMenu, "Close this Address Book", kMsgFileClose, 'W', true);
	fileMenu->AddSeparatorItem();
	saveItem = AddItem(fileMenu, "Save this Address Book", kMsgFileSave, 'S', false);
	saveAsItem = AddItem(fileMenu, "Save this Address Book As...", kMsgFileSaveAs, 0, false);
	importItem = AddItem(fileMenu, "Import an Address Book...", kMsgFileImport, 0, false);
	exportItem = AddItem(fileMenu, "Export this Address Book", kMsgFileExport, 0, false);
	syncItem = AddItem(fileMenu, "Synchronize...", kMsgFileSync, 0, false);
	fileMenu->AddSeparatorItem();
	printItem = AddItem(fileMenu, "Print", kMsgFilePrint, 'P', false);
	fileMenu->AddSeparatorItem();
	AddItem(fileMenu, "Quit", kMsgFileQuit, 'Q', true);
	bar->AddItem(fileMenu);
}

void
MainMenus::_BuildEditMenu(BMenuBar* bar)
{
	editMenu = new BMenu("Edit", B_ITEMS_IN_COLUMN);
	undoItem = AddItem(editMenu, "Undo", kMsgEditUndo, 'Z', false);
	redoItem = AddItem(editMenu, "Redo", kMsgEditRedo, 'Z', false);
	redoItem->SetShortcut('Z', B_SHIFT_KEY);
	editMenu->AddSeparatorItem();
	cutItem = AddItem(editMenu, "Cut", kMsgEditCut, 'X', false);
	copyItem = AddItem(editMenu, "Copy", kMsgEditCopy, 'C', false);
	AddItem(editMenu, "Paste", kMsgEditPaste, 'V', true);
	clearItem = AddItem(editMenu, "Clear", kMsgEditClear, 'B', false);
	editMenu->AddSeparatorItem();
	AddItem(editMenu, "Select All", kMsgEditSelectAll, 0, true);
	deselectItem = AddItem(editMenu, "Deselect", kMsgEditDeselect, 0, false);
	bar->AddItem(editMenu);
	editMenu->SetEnabled(false);
}

void
MainMenus::_BuildViewMenu(BMenuBar* bar)
{
	viewMenu = new BMenu("View", B_ITEMS_IN_COLUMN);
	AddItem(viewMenu, "All", kMsgViewAll, 0, true);
	AddItem(viewMenu, "Name and E-mail", kMsgViewNameEmail, 0, true);
	AddItem(viewMenu, "Name and Phone", kMsgViewNamePhone, 0, true);
	AddItem(viewMenu, "Name and Address", kMsgViewNameAddress, 0, true);
	for (int field = 0; field < kFieldCount; field++) {
		BMessage* message = new BMessage(kMsgViewField);
		message->AddInt32("index", field);
		viewFieldItems[field] = new BMenuItem(gInitFieldNames[field], message, 0, 0);
		viewMenu->AddItem(viewFieldItems[field]);
		viewFieldItems[field]->SetMarked(true);
	}
	viewMenu->AddSeparatorItem();
	languageRulesItem = AddItem(viewMenu, "Sort by Language Rules", kMsgViewLanguageRules, 0, true);
	bar->AddItem(viewMenu);
	viewMenu->SetEnabled(false);
}

void
MainMenus::_BuildSearchMenu(BMenuBar* bar)
{
	searchMenu = new BMenu("Search", B_ITEMS_IN_COLUMN);
	AddItem(searchMenu, "Find...", kMsgSearchFind, 'F', true);
	findNextItem = AddItem(searchMenu, "Find Next", kMsgSearchFindNext, 'G', false);
	bar->AddItem(searchMenu);
	searchMenu->SetEnabled(false);
}

void
MainMenus::_BuildRecordsMenu(BMenuBar* bar)
{
	recordsMenu = new BMenu("Records", B_ITEMS_IN_COLUMN);
	AddItem(recordsMenu, "Make a New Record", kMsgRecordNew, 0, true);
	modifyItem = AddItem(recordsMenu, "Modify the Selected Record", kMsgRecordModify, 0, false);
	deleteItem = AddItem(recordsMenu, "Delete the Selected Record", kMsgRecordDelete, 0, false);
	bar->AddItem(recordsMenu);
	recordsMenu->SetEnabled(false);
}

void
MainMenus::_BuildActionMenu(BMenuBar* bar)
{
	actionMenu = new BMenu("Action", B_ITEMS_IN_COLUMN);
	copyRecordItem =
		AddItem(actionMenu, "Copy this Record to the Clipboard", kMsgCopyRecord, 0, false);
	copyAddressItem =
		AddItem(actionMenu, "Copy this Address to the Clipboard", kMsgCopyAddress, 0, false);
	sendEmailItem = AddItem(actionMenu, "Send E-mail", kMsgSendEmail, 0, false);
	AddItem(actionMenu, "Address an Envelope", kMsgEnvelope, 0, true);
	AddItem(actionMenu, "Make a Letter", kMsgLetter, 0, true);
	AddItem(actionMenu, "Mail Merge", kMsgMailMerge, 0, true);
	AddItem(actionMenu, "Send a Fax", kMsgFax, 0, false);
	webPageItem = AddItem(actionMenu, "Open this Record's Web Page", kMsgOpenWebPage, 0, false);
	bar->AddItem(actionMenu);
	actionMenu->SetEnabled(false);
}

void
MainMenus::_BuildInfoMenu(BMenuBar* bar)
{
	BMenu* menu = new BMenu("Info", B_ITEMS_IN_COLUMN);
	menu->AddItem(
		new BMenuItem("About Larimo Address Book DIDE", new BMessage(kMsgInfoAbout), 0, 0));
	AddUrlItem(menu, "Instructions and Tech Support", kMsgInfoTech);
	AddUrlItem(menu, "Visit Vornak Software's Web Page", kMsgInfoWeb);
	bar->AddItem(menu);
}

void
MainMenus::EnableMenus()
{
	for (BMenu* menu : {editMenu, searchMenu, recordsMenu, actionMenu, viewMenu})
		menu->SetEnabled(true);
	importItem->SetEnabled(true);
	exportItem->SetEnabled(true);
	syncItem->SetEnabled(true);
	printItem->SetEnabled(true);
}

void
MainMenus::EnableFileMenuItems(bool dirty)
{
	for (BMenuItem* item : {newItem, openItem, closeItem, saveAsItem})
		item->SetEnabled(true);
	saveItem->SetEnabled(dirty);
}

void
MainMenus::AdjRedrMenus()
{
	findNextItem->SetEnabled(false);
	SelectionChanged(nullptr, false);
}

void
MainMenus::SelectionChanged(const ABookRecord* record, bool canMail)
{
	for (BMenuItem* item : {modifyItem, deleteItem, copyRecordItem, copyAddressItem, cutItem,
							copyItem, clearItem, deselectItem})
		item->SetEnabled(record != nullptr);
	webPageItem->SetEnabled(record != nullptr && strlen(record->Field(kWebAddressField)) > 2);
	sendEmailItem->SetEnabled(canMail);
}

void
MainMenus::SetUndoSteps(const char* undo, const char* redo)
{
	undoItem->SetLabel(undo != nullptr ? (std::string("Undo ") + undo).c_str() : "Undo");
	undoItem->SetEnabled(undo != nullptr);
	redoItem->SetLabel(redo != nullptr ? (std::string("Redo ") + redo).c_str() : "Redo");
	redoItem->SetEnabled(redo != nullptr);
}

void
MainMenus::SetSaveEnabled(bool enabled)
{
	saveItem->SetEnabled(enabled);
}

void
MainMenus::SetFindNextEnabled(bool enabled)
{
	findNextItem->SetEnabled(enabled);
}
