#ifndef MENU_ITEM_H
#define MENU_ITEM_H

#include <Invoker.h>

#include <memory>
#include <string>

class BMenu;

namespace BPrivate {
struct MenuItemState;
}

// An entry of a menu: a label that sends its message when chosen, or the
// title of a submenu. Adopts its message and its submenu; belongs to the
// menu it is added to.
//
// Choosing it sends a copy of its message with "when", "source" (this
// item) and "index" (its place in its menu) to its target, by default the
// window of the menu bar it is in. shortcut with B_COMMAND_KEY (implied)
// and the other modifiers given is typed with Ctrl.
class BMenuItem : public BInvoker {
public:
	BMenuItem(const char* label, BMessage* message, char shortcut = 0, uint32 modifiers = 0);
	explicit BMenuItem(BMenu* submenu, BMessage* message = nullptr);
	~BMenuItem() override;

	virtual void SetLabel(const char* label);
	const char* Label() const { return fLabel.c_str(); }
	virtual void SetEnabled(bool enabled);
	// False also while its menu is disabled.
	bool IsEnabled() const;
	virtual void SetMarked(bool marked);
	bool IsMarked() const { return fMarked; }
	virtual void SetShortcut(char shortcut, uint32 modifiers);
	char Shortcut(uint32* modifiers = nullptr) const;

	BMenu* Submenu() const { return fSubmenu.get(); }
	BMenu* Menu() const { return fMenu; }

	status_t Invoke(BMessage* message = nullptr) override;

protected:
	const void* _Source() const override { return static_cast<const BMenuItem*>(this); }

private:
	friend class BMenu;
	friend class BSeparatorItem;

	void _Update();

	std::unique_ptr<BMenu> fSubmenu;
	std::unique_ptr<BPrivate::MenuItemState> fState;
	BMenu* fMenu;
	std::string fLabel;
	char fShortcut;
	uint32 fModifiers;
	bool fEnabled;
	bool fMarked;
};

// A line between groups of items.
class BSeparatorItem : public BMenuItem {
public:
	BSeparatorItem();
	~BSeparatorItem() override;

	void SetEnabled(bool enabled) override;
};

#endif // MENU_ITEM_H
