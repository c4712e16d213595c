#ifndef MAIN_MENUS_H
#define MAIN_MENUS_H

#include "BookConstants.h"

class ABookRecord;
class BMenu;
class BMenuBar;
class BMenuItem;

// The menus of a main window and the rules that enable their items. The
// pointers are owned by the menu bar; the window's thread uses them with
// the window locked.
struct MainMenus {
	// Builds the seven menus into bar with their items in their starting
	// states: only File and Info can be chosen.
	void Build(BMenuBar* bar);

	// The book has a file: Edit, View, Search, Records and Action, Import,
	// Export, Synchronize and Print come on and stay on.
	void EnableMenus();
	// New, Open, Close and Save As on; Save follows dirty.
	void EnableFileMenuItems(bool dirty);
	// The list was refilled: nothing is selected and no search step is
	// pending.
	void AdjRedrMenus();
	// The selection changed: record is the first selected record (nullptr:
	// none), canMail whether a selected record has an e-mail address.
	void SelectionChanged(const ABookRecord* record, bool canMail);
	// The steps Undo and Redo would take, by name; nullptr for none.
	void SetUndoSteps(const char* undo, const char* redo);
	void SetSaveEnabled(bool enabled);
	void SetFindNextEnabled(bool enabled);

	BMenuItem* newItem = nullptr;
	BMenuItem* openItem = nullptr;
	BMenuItem* closeItem = nullptr;
	BMenuItem* saveItem = nullptr;
	BMenuItem* saveAsItem = nullptr;
	BMenuItem* importItem = nullptr;
	BMenuItem* exportItem = nullptr;
	BMenuItem* syncItem = nullptr;
	BMenuItem* printItem = nullptr;
	BMenu* editMenu = nullptr;
	BMenuItem* undoItem = nullptr;
	BMenuItem* redoItem = nullptr;
	BMenuItem* cutItem = nullptr;
	BMenuItem* copyItem = nullptr;
	BMenuItem* clearItem = nullptr;
	BMenuItem* deselectItem = nullptr;
	BMenu* viewMenu = nullptr;
	// Index = field number; a field is a list column while its item is
	// marked.
	BMenuItem* viewFieldItems[kFieldCount] = {};
	// Marked while the application's language rules are on.
	BMenuItem* languageRulesItem = nullptr;
	BMenu* searchMenu = nullptr;
	BMenuItem* findNextItem = nullptr;
	BMenu* recordsMenu = nullptr;
	BMenuItem* modifyItem = nullptr;
	BMenuItem* deleteItem = nullptr;
	BMenu* actionMenu = nullptr;
	BMenuItem* copyRecordItem = nullptr;
	BMenuItem* copyAddressItem = nullptr;
	BMenuItem* sendEmailItem = nullptr;
	BMenuItem* webPageItem = nullptr;

private:
	void _BuildFileMenu(BMenuBar* bar);
	void _BuildEditMenu(BMenuBar* bar);
	void _BuildViewMenu(BMenuBar* bar);
	void _BuildSearchMenu(BMenuBar* bar);
	void _BuildRecordsMenu(BMenuBar* bar);
	void _BuildActionMenu(BMenuBar* bar);
	void _BuildInfoMenu(BMenuBar* bar);
};

#endif // MAIN_MENUS_H
