#ifndef MENU_PRIVATE_H
#define MENU_PRIVATE_H

#include <memory>

#include <QAction>
#include <QMenu>

namespace BPrivate {

// The Qt side of a BMenu: its desktop menu, and the widget its items'
// actions are added to (the menu, or a menu bar).
struct MenuState {
	std::unique_ptr<QMenu> menu;
	QWidget* container = nullptr;
};

// The Qt side of a BMenuItem: its action, its own or its submenu's.
struct MenuItemState {
	std::unique_ptr<QAction> ownAction;
	QAction* action = nullptr;
};

} // namespace BPrivate

#endif // MENU_PRIVATE_H
