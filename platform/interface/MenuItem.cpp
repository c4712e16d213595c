#include "MenuItem.h"

#include <cctype>

#include <QKeySequence>

#include <InterfaceDefs.h>
#include <Menu.h>
#include <MenuBar.h>
#include <Message.h>
#include <Window.h>

#include "MenuPrivate.h"
#include "QtConversions.h"

namespace {

// Qt reads '&' as the mnemonic marker.
QString
action_text(const std::string& label)
{
	return BPrivate::to_qt(label.c_str()).replace('&', "&&");
}

QKeySequence
key_sequence(char shortcut, uint32 modifiers)
{
	if (shortcut == 0)
		return QKeySequence();
	Qt::KeyboardModifiers keys = Qt::ControlModifier;
	if ((modifiers & B_SHIFT_KEY) != 0)
		keys |= Qt::ShiftModifier;
	if ((modifiers & B_OPTION_KEY) != 0)
		keys |= Qt::AltModifier;
	int key = std::toupper(static_cast<unsigned char>(shortcut));
	return QKeySequence(QKeyCombination(keys, static_cast<Qt::Key>(key)));
}

} // namespace

BMenuItem::BMenuItem(const char* label, BMessage* message, char shortcut, uint32 modifiers)
	: BInvoker(message, nullptr), fState(std::make_unique<BPrivate::MenuItemState>()),
	  fMenu(nullptr), fLabel(label != nullptr ? label : ""), fShortcut(shortcut),
	  fModifiers(modifiers | B_COMMAND_KEY), fEnabled(true), fMarked(false)
{
	fState->ownAction = std::make_unique<QAction>();
	fState->action = fState->ownAction.get();
	QObject::connect(fState->action, &QAction::triggered, fState->action, [this] { Invoke(); });
	_Update();
}

BMenuItem::BMenuItem(BMenu* submenu, BMessage* message)
	: BInvoker(message, nullptr), fSubmenu(submenu),
	  fState(std::make_unique<BPrivate::MenuItemState>()), fMenu(nullptr),
	  fLabel(submenu != nullptr && submenu->Name() != nullptr ? submenu->Name() : ""), fShortcut(0),
	  fModifiers(0), fEnabled(true), fMarked(false)
{
	if (submenu != nullptr) {
		submenu->fSuperitem = this;
		fState->action = submenu->fState->menu->menuAction();
	} else {
		fState->ownAction = std::make_unique<QAction>();
		fState->action = fState->ownAction.get();
	}
	_Update();
}

BMenuItem::~BMenuItem()
{
	if (fMenu != nullptr)
		fMenu->RemoveItem(this);
}

void
BMenuItem::SetLabel(const char* label)
{
	fLabel = label != nullptr ? label : "";
	_Update();
}

void
BMenuItem::SetEnabled(bool enabled)
{
	fEnabled = enabled;
	_Update();
}

bool
BMenuItem::IsEnabled() const
{
	if (!fEnabled || (fSubmenu != nullptr && !fSubmenu->fEnabled))
		return false;
	return fMenu == nullptr || fMenu->IsEnabled();
}

void
BMenuItem::SetMarked(bool marked)
{
	fMarked = marked;
	_Update();
}

void
BMenuItem::SetShortcut(char shortcut, uint32 modifiers)
{
	fShortcut = shortcut;
	fModifiers = modifiers | B_COMMAND_KEY;
	_Update();
}

char
BMenuItem::Shortcut(uint32* modifiers) const
{
	if (modifiers != nullptr)
		*modifiers = fModifiers;
	return fShortcut;
}

status_t
BMenuItem::Invoke(BMessage* message)
{
	if (message == nullptr)
		message = Message();
	if (message == nullptr)
		return B_BAD_VALUE;
	if (!Messenger().IsValid()) {
		// The default target: the window of the menu bar the item is in.
		BMenu* root = fMenu;
		while (root != nullptr && root->Supermenu() != nullptr)
			root = root->Supermenu();
		if (root == nullptr || root->Window() == nullptr)
			return B_BAD_VALUE;
		SetTarget(root->Window());
	}
	BMessage copy(*message);
	copy.AddInt32("index", fMenu != nullptr ? fMenu->IndexOf(this) : -1);
	return _Send(&copy);
}

void
BMenuItem::_Update()
{
	QAction* action = fState->action;
	action->setText(action_text(fLabel));
	action->setEnabled(IsEnabled());
	action->setCheckable(fMarked);
	action->setChecked(fMarked);
	if (fSubmenu == nullptr)
		action->setShortcut(key_sequence(fShortcut, fModifiers));
}

BSeparatorItem::BSeparatorItem() : BMenuItem("", nullptr)
{
	BMenuItem::SetEnabled(false);
	fState->action->setSeparator(true);
}

BSeparatorItem::~BSeparatorItem() = default;

void
BSeparatorItem::SetEnabled(bool)
{
	// A separator is never chosen.
}
