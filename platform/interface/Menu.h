#ifndef MENU_H
#define MENU_H

#include <View.h>

#include <memory>
#include <vector>

class BHandler;
class BMenuItem;

namespace BPrivate {
struct MenuState;
}

enum menu_layout { B_ITEMS_IN_ROW = 0, B_ITEMS_IN_COLUMN };

// A list of menu items shown as a desktop menu. Owns its items. Use it on
// the GUI thread with its window locked.
class BMenu : public BView {
public:
	explicit BMenu(const char* name, menu_layout layout = B_ITEMS_IN_COLUMN);
	~BMenu() override;

	// Adopt the item (a submenu gets an item of its own). False, and the
	// caller keeps it, when index is out of range or the item is in a menu.
	bool AddItem(BMenuItem* item);
	bool AddItem(BMenuItem* item, int32 index);
	bool AddItem(BMenu* submenu);
	bool AddItem(BMenu* submenu, int32 index);
	bool AddSeparatorItem();
	// Hand the item back to the caller.
	bool RemoveItem(BMenuItem* item);
	BMenuItem* RemoveItem(int32 index);

	BMenuItem* ItemAt(int32 index) const;
	int32 CountItems() const { return static_cast<int32>(fItems.size()); }
	int32 IndexOf(const BMenuItem* item) const;
	// Searches submenus too; null when there is none.
	BMenuItem* FindItem(const char* label) const;
	BMenuItem* FindItem(uint32 command) const;

	virtual void SetEnabled(bool enabled);
	bool IsEnabled() const;

	BMenu* Supermenu() const;

protected:
	// The widget the items' actions go into: a desktop menu, or for a menu
	// bar its bar.
	BPrivate::MenuState* _State() const { return fState.get(); }

private:
	friend class BMenuItem;

	std::vector<BMenuItem*> fItems; // owned
	std::unique_ptr<BPrivate::MenuState> fState;
	BMenuItem* fSuperitem;
	bool fEnabled;
};

#endif // MENU_H
