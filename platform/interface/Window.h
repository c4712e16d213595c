#ifndef WINDOW_H
#define WINDOW_H

#include <Looper.h>
#include <Rect.h>

#include <memory>
#include <string>
#include <vector>

class BButton;
class BMenuBar;
class BView;

namespace BPrivate {
class WindowWidget;
}

enum window_type {
	B_TITLED_WINDOW = 1,
	B_MODAL_WINDOW = 3,
	B_DOCUMENT_WINDOW = 11,
};

// Window flags.
enum {
	B_NOT_ZOOMABLE = 0x00000040,
	B_NOT_RESIZABLE = 0x00000002,
};

#define B_CURRENT_WORKSPACE 0

// A top-level window and its looper, which runs on the GUI thread. Frame()
// is the content area in screen coordinates. The window starts hidden;
// the first Show() runs the looper. Closing it from the desktop posts
// B_QUIT_REQUESTED; it closes only when QuitRequested() agrees. Quit()
// closes and deletes it, with its views.
class BWindow : public BLooper {
public:
	BWindow(BRect frame, const char* title, window_type type, uint32 flags,
			uint32 workspace = B_CURRENT_WORKSPACE);
	~BWindow() override;

	void DispatchMessage(BMessage* message, BHandler* handler) override;
	void MessageReceived(BMessage* message) override;

	// Hooks.
	virtual void FrameMoved(BPoint newPosition);
	virtual void FrameResized(float newWidth, float newHeight);
	virtual void WindowActivated(bool active);

	// Only the first Show() counts.
	virtual void Show();
	bool IsHidden() const;

	BRect Frame() const;
	BRect Bounds() const;
	void MoveTo(BPoint where);
	void MoveTo(float x, float y) { MoveTo(BPoint(x, y)); }
	void ResizeTo(float width, float height);
	void ResizeBy(float dx, float dy);
	void SetSizeLimits(float minWidth, float maxWidth, float minHeight, float maxHeight);
	void SetTitle(const char* title);
	const char* Title() const;

	// The views, children of the window's top view (which fills it).
	void AddChild(BView* child, BView* before = nullptr);
	bool RemoveChild(BView* child);
	BView* ChildAt(int32 index) const;
	BView* FindView(const char* name) const;
	// The view that gets key events; null when none.
	BView* CurrentFocus() const { return fFocus; }

	// Gets the Command-key shortcuts (not owned: it is a child view).
	void SetKeyMenuBar(BMenuBar* bar) { fKeyMenuBar = bar; }
	BMenuBar* KeyMenuBar() const { return fKeyMenuBar; }
	// Command-key (with the shift and option state of modifiers) posts
	// message to the window, unless a menu item of the key menu bar has
	// that shortcut. Adopts message; a second shortcut for the same keys
	// replaces the first.
	void AddShortcut(uint32 key, uint32 modifiers, BMessage* message);
	// Enter, when no view takes it, invokes the default button.
	void SetDefaultButton(BButton* button);
	BButton* DefaultButton() const { return fDefaultButton; }

	// Redraws everything that was invalidated, now.
	void UpdateIfNeeded();

private:
	friend class BView;
	friend class BPrivate::WindowWidget;

	void _SetFocus(BView* view, bool focus);
	void _ViewDetached(BView* view);
	void _ContentResized(float width, float height);
	void _DispatchToView(BMessage* message, BView* view);
	// Focuses the next (or previous) visible navigable view, in tree
	// order from the focus, wrapping around.
	void _NavigateFocus(bool forward);

	struct Shortcut {
		uint32 key;
		uint32 modifiers;
		std::unique_ptr<BMessage> message;
	};

	std::unique_ptr<BPrivate::WindowWidget> fWidget;
	BView* fTopView; // owned
	BView* fFocus;
	BMenuBar* fKeyMenuBar;
	BButton* fDefaultButton;
	std::vector<Shortcut> fShortcuts;
	std::string fTitle;
	uint32 fFlags;
	int32 fShowLevel;
};

#endif // WINDOW_H
