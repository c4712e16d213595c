#include "Window.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <functional>

#include <QWidget>

#include <AppDefs.h>
#include <ApplicationPrivate.h>
#include <Button.h>
#include <LooperPrivate.h>
#include <MenuBar.h>
#include <MenuItem.h>
#include <Message.h>
#include <View.h>

#include "GuiLooperRunner.h"
#include "MessagePoints.h"
#include "QtConversions.h"
#include "ViewWidget.h"
#include "WindowWidget.h"

using BPrivate::to_qt;

namespace {

Qt::WindowFlags
qt_flags_for(window_type type, uint32 flags)
{
	Qt::WindowFlags result = Qt::Window;
	if (type == B_MODAL_WINDOW)
		result = Qt::Dialog;
	result |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
			  Qt::WindowCloseButtonHint;
	if (type != B_MODAL_WINDOW)
		result |= Qt::WindowMinimizeButtonHint;
	if ((flags & (B_NOT_ZOOMABLE | B_NOT_RESIZABLE)) == 0 && type != B_MODAL_WINDOW)
		result |= Qt::WindowMaximizeButtonHint;
	return result;
}

// Whether a shortcut of key and modifiers is the typed byte with
// modifiers: letters in either case, the Shift and Option state alike.
bool
same_keys(uint32 key, uint32 keyModifiers, char byte, uint32 modifiers)
{
	const uint32 kSignificant = B_SHIFT_KEY | B_OPTION_KEY;
	return key < 0x80 &&
		   std::tolower(static_cast<int>(key)) == std::tolower(static_cast<unsigned char>(byte)) &&
		   (keyModifiers & kSignificant) == (modifiers & kSignificant);
}

// The enabled item of menu (or of its submenus) whose Command-key shortcut
// is byte with the Shift and Option state of modifiers.
BMenuItem*
shortcut_item(BMenu* menu, char byte, uint32 modifiers)
{
	for (int32 i = 0; BMenuItem* item = menu->ItemAt(i); i++) {
		if (BMenu* submenu = item->Submenu()) {
			if (BMenuItem* found = shortcut_item(submenu, byte, modifiers))
				return found;
			continue;
		}
		uint32 itemModifiers;
		char shortcut = item->Shortcut(&itemModifiers);
		if (shortcut != 0 && item->IsEnabled() &&
			same_keys(static_cast<unsigned char>(shortcut), itemModifiers, byte, modifiers)) {
			return item;
		}
	}
	return nullptr;
}

// The largest size Qt accepts for a window.
const float kMaxSize = 16777214;

} // namespace

BWindow::BWindow(BRect frame, const char* title, window_type type, uint32 flags, uint32)
	: BLooper(title), fWidget(std::make_unique<BPrivate::WindowWidget>(this)),
	  fTopView(new BView(frame.OffsetToCopy(0, 0), "top view", B_FOLLOW_ALL, 0)), fFocus(nullptr),
	  fKeyMenuBar(nullptr), fDefaultButton(nullptr), fFlags(flags), fShowLevel(1)
{
	fWidget->setWindowFlags(qt_flags_for(type, flags));
	if (type == B_MODAL_WINDOW)
		fWidget->setWindowModality(Qt::ApplicationModal);
	SetTitle(title);
	fWidget->setGeometry(to_qt(frame));
	fWidget->NoteFrame(to_qt(frame));
	if ((flags & B_NOT_RESIZABLE) != 0)
		fWidget->setFixedSize(fWidget->size());
	BPrivate::ViewWidget* top = BPrivate::ViewWidget::Of(fTopView);
	top->setParent(fWidget.get());
	top->show();
	fTopView->_Attach(this);
	// Windows dispatch on the GUI thread, which owns their widgets.
	BPrivate::LooperPrivate(this).SetRunner(std::make_unique<BPrivate::GuiLooperRunner>());
	BPrivate::register_window(this, this);
}

BWindow::~BWindow()
{
	BPrivate::unregister_window(this);
	fWidget->hide();
	fTopView->_Detach();
	delete fTopView;
	fWidget.reset();
}

void
BWindow::DispatchMessage(BMessage* message, BHandler* handler)
{
	switch (message->what) {
		case B_MOUSE_DOWN:
		case B_MOUSE_UP:
		case B_KEY_DOWN: {
			BView* view = dynamic_cast<BView*>(handler);
			// Without a focus the top view takes keys: Enter still reaches
			// the default button and Tab the navigation.
			if (view == nullptr && message->what == B_KEY_DOWN)
				view = fFocus != nullptr ? fFocus : fTopView;
			if (view != nullptr && view->Window() == this) {
				_DispatchToView(message, view);
				return;
			}
			break;
		}
		case B_WINDOW_RESIZED:
			if (handler == this) {
				BRect bounds = Bounds();
				FrameResized(bounds.Width(), bounds.Height());
				return;
			}
			break;
		case B_WINDOW_MOVED:
			if (handler == this) {
				FrameMoved(Frame().LeftTop());
				return;
			}
			break;
		case B_WINDOW_ACTIVATED:
			if (handler == this) {
				bool active = false;
				message->FindBool("active", &active);
				WindowActivated(active);
				return;
			}
			break;
	}
	BLooper::DispatchMessage(message, handler);
}

void
BWindow::MessageReceived(BMessage* message)
{
	BLooper::MessageReceived(message);
}

void
BWindow::FrameMoved(BPoint)
{
}

void
BWindow::FrameResized(float, float)
{
}

void
BWindow::WindowActivated(bool)
{
}

void
BWindow::Show()
{
	fShowLevel--;
	if (fShowLevel != 0)
		return;
	if (Thread() < 0)
		Run();
	fWidget->show();
}

bool
BWindow::IsHidden() const
{
	return fShowLevel > 0;
}

BRect
BWindow::Frame() const
{
	return BPrivate::from_qt(fWidget->geometry());
}

BRect
BWindow::Bounds() const
{
	return fTopView->Bounds();
}

void
BWindow::MoveTo(BPoint where)
{
	// The frame is the content area; Qt moves the decorated window.
	QPoint decoration = fWidget->geometry().topLeft() - fWidget->pos();
	fWidget->move(to_qt(where) - decoration);
}

void
BWindow::ResizeTo(float width, float height)
{
	BRect frame = Frame();
	frame.right = frame.left + width;
	frame.bottom = frame.top + height;
	if ((fFlags & B_NOT_RESIZABLE) != 0)
		fWidget->setFixedSize(to_qt(frame).size());
	else
		fWidget->resize(to_qt(frame).size());
}

void
BWindow::ResizeBy(float dx, float dy)
{
	BRect bounds = Bounds();
	ResizeTo(bounds.Width() + dx, bounds.Height() + dy);
}

void
BWindow::SetSizeLimits(float minWidth, float maxWidth, float minHeight, float maxHeight)
{
	// Widths count pixels from left to right edge: one fewer than Qt's.
	auto pixels = [](float size) {
		return static_cast<int>(std::min(std::max(size, 0.0f), kMaxSize) + 1);
	};
	fWidget->setMinimumSize(pixels(minWidth), pixels(minHeight));
	fWidget->setMaximumSize(pixels(maxWidth), pixels(maxHeight));
}

void
BWindow::SetTitle(const char* title)
{
	fTitle = title != nullptr ? title : "";
	SetName(fTitle.c_str());
	fWidget->setWindowTitle(to_qt(fTitle.c_str()));
}

const char*
BWindow::Title() const
{
	return fTitle.c_str();
}

void
BWindow::AddChild(BView* child, BView* before)
{
	fTopView->AddChild(child, before);
}

bool
BWindow::RemoveChild(BView* child)
{
	return fTopView->RemoveChild(child);
}

BView*
BWindow::ChildAt(int32 index) const
{
	return fTopView->ChildAt(index);
}

BView*
BWindow::FindView(const char* name) const
{
	return fTopView->FindView(name);
}

void
BWindow::SetDefaultButton(BButton* button)
{
	BButton* previous = fDefaultButton;
	fDefaultButton = button;
	if (previous != nullptr)
		previous->Invalidate();
	if (button != nullptr)
		button->Invalidate();
}

void
BWindow::AddShortcut(uint32 key, uint32 modifiers, BMessage* message)
{
	std::unique_ptr<BMessage> adopted(message);
	if (adopted == nullptr)
		return;
	for (Shortcut& entry : fShortcuts) {
		if (same_keys(entry.key, entry.modifiers, static_cast<char>(key), modifiers)) {
			entry.message = std::move(adopted);
			return;
		}
	}
	fShortcuts.push_back({key, modifiers, std::move(adopted)});
}

void
BWindow::UpdateIfNeeded()
{
	fWidget->repaint();
}

void
BWindow::_SetFocus(BView* view, bool focus)
{
	if (focus)
		fFocus = view;
	else if (fFocus == view)
		fFocus = nullptr;
}

void
BWindow::_ViewDetached(BView* view)
{
	if (fFocus == view)
		fFocus = nullptr;
	if (fDefaultButton == view)
		fDefaultButton = nullptr;
	if (fKeyMenuBar == view)
		fKeyMenuBar = nullptr;
}

void
BWindow::_ContentResized(float width, float height)
{
	fTopView->ResizeTo(width, height);
}

void
BWindow::_NavigateFocus(bool forward)
{
	std::vector<BView*> views;
	std::function<void(BView*)> collect = [&](BView* view) {
		views.push_back(view);
		for (int32 i = 0; BView* child = view->ChildAt(i); i++)
			collect(child);
	};
	collect(fTopView);
	auto takesFocus = [](BView* view) {
		if ((view->Flags() & B_NAVIGABLE) == 0)
			return false;
		auto* control = dynamic_cast<BControl*>(view);
		return control == nullptr || control->IsEnabled();
	};
	const size_t count = views.size();
	size_t from = std::find(views.begin(), views.end(), fFocus) - views.begin();
	if (from == count)
		from = forward ? 0 : count - 1;
	for (size_t step = 1; step <= count; step++) {
		BView* view = views[forward ? (from + step) % count : (from + count - step) % count];
		if (takesFocus(view)) {
			view->MakeFocus(true);
			return;
		}
	}
}

void
BWindow::_DispatchToView(BMessage* message, BView* view)
{
	BPoint where;
	BPrivate::find_point(message, "where", &where);
	switch (message->what) {
		case B_MOUSE_DOWN:
			view->MouseDown(where);
			break;
		case B_MOUSE_UP:
			view->MouseUp(where);
			break;
		case B_KEY_DOWN: {
			const char* bytes = nullptr;
			if (message->FindString("bytes", &bytes) != B_OK || bytes[0] == '\0')
				break;
			int32 modifiers = 0;
			message->FindInt32("modifiers", &modifiers);
			if ((modifiers & B_COMMAND_KEY) != 0 && fKeyMenuBar != nullptr) {
				// Typed where no desktop shortcut took it.
				if (BMenuItem* item = shortcut_item(fKeyMenuBar, bytes[0], modifiers)) {
					item->Invoke();
					break;
				}
			}
			if ((modifiers & B_COMMAND_KEY) != 0) {
				auto shortcut =
					std::find_if(fShortcuts.begin(), fShortcuts.end(), [&](const Shortcut& entry) {
						return same_keys(entry.key, entry.modifiers, bytes[0], modifiers);
					});
				if (shortcut != fShortcuts.end()) {
					PostMessage(shortcut->message.get(), this);
					break;
				}
			}
			// A focused button takes Enter itself.
			if (bytes[0] == B_ENTER && fDefaultButton != nullptr &&
				dynamic_cast<BButton*>(view) == nullptr && fDefaultButton->IsEnabled()) {
				view = fDefaultButton;
			}
			view->KeyDown(bytes, static_cast<int32>(strlen(bytes)));
			break;
		}
	}
}
