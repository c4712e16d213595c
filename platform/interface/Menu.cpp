#include "Menu.h"

#include <algorithm>
#include <cstring>

#include <MenuItem.h>
#include <Message.h>

#include "MenuPrivate.h"
#include "QtConversions.h"

BMenu::BMenu(const char* name, menu_layout)
	: BView(BRect(0, 0, 0, 0), name, B_FOLLOW_NONE, B_WILL_DRAW),
	  fState(std::make_unique<BPrivate::MenuState>()), fSuperitem(nullptr), fEnabled(true)
{
	fState->menu = std::make_unique<QMenu>(BPrivate::to_qt(name));
	fState->container = fState->menu.get();
}

BMenu::~BMenu()
{
	while (!fItems.empty())
		delete RemoveItem(CountItems() - 1);
}

bool
BMenu::AddItem(BMenuItem* item)
{
	return AddItem(item, CountItems());
}

bool
BMenu::AddItem(BMenuItem* item, int32 index)
{
	if (item == nullptr || item->fMenu != nullptr || index < 0 || index > CountItems())
		return false;
	QAction* before = index < CountItems() ? fItems[index]->fState->action : nullptr;
	fItems.insert(fItems.begin() + index, item);
	item->fMenu = this;
	fState->container->insertAction(before, item->fState->action);
	item->_Update();
	return true;
}

bool
BMenu::AddItem(BMenu* submenu)
{
	return AddItem(submenu, CountItems());
}

bool
BMenu::AddItem(BMenu* submenu, int32 index)
{
	if (submenu == nullptr || submenu->fSuperitem != nullptr || index < 0 || index > CountItems())
		return false;
	// Cannot fail after the checks above, so the new item never has to
	// give the submenu back.
	return AddItem(new BMenuItem(submenu), index);
}

bool
BMenu::AddSeparatorItem()
{
	return AddItem(new BSeparatorItem);
}

bool
BMenu::RemoveItem(BMenuItem* item)
{
	return RemoveItem(IndexOf(item)) != nullptr;
}

BMenuItem*
BMenu::RemoveItem(int32 index)
{
	BMenuItem* item = ItemAt(index);
	if (item == nullptr)
		return nullptr;
	fState->container->removeAction(item->fState->action);
	fItems.erase(fItems.begin() + index);
	item->fMenu = nullptr;
	return item;
}

BMenuItem*
BMenu::ItemAt(int32 index) const
{
	if (index < 0 || index >= CountItems())
		return nullptr;
	return fItems[index];
}

int32
BMenu::IndexOf(const BMenuItem* item) const
{
	auto found = std::find(fItems.begin(), fItems.end(), item);
	return found != fItems.end() ? static_cast<int32>(found - fItems.begin()) : -1;
}

BMenuItem*
BMenu::FindItem(const char* label) const
{
	if (label == nullptr)
		return nullptr;
	for (BMenuItem* item : fItems) {
		if (strcmp(item->Label(), label) == 0)
			return item;
		if (BMenuItem* found =
				item->Submenu() != nullptr ? item->Submenu()->FindItem(label) : nullptr) {
			return found;
		}
	}
	return nullptr;
}

BMenuItem*
BMenu::FindItem(uint32 command) const
{
	for (BMenuItem* item : fItems) {
		if (item->Message() != nullptr && item->Command() == command)
			return item;
		if (BMenuItem* found =
				item->Submenu() != nullptr ? item->Submenu()->FindItem(command) : nullptr) {
			return found;
		}
	}
	return nullptr;
}

void
BMenu::SetEnabled(bool enabled)
{
	fEnabled = enabled;
	if (fSuperitem != nullptr)
		fSuperitem->_Update();
	for (BMenuItem* item : fItems) {
		item->_Update();
		if (item->Submenu() != nullptr)
			item->Submenu()->SetEnabled(item->Submenu()->fEnabled);
	}
}

bool
BMenu::IsEnabled() const
{
	if (!fEnabled)
		return false;
	BMenu* super = Supermenu();
	return super == nullptr || super->IsEnabled();
}

BMenu*
BMenu::Supermenu() const
{
	return fSuperitem != nullptr ? fSuperitem->Menu() : nullptr;
}
