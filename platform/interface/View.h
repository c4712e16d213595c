#ifndef VIEW_H
#define VIEW_H

#include <Font.h>
#include <GraphicsDefs.h>
#include <Handler.h>
#include <InterfaceDefs.h>
#include <Rect.h>

#include <vector>

class BMessage;
class BScrollBar;
class BWindow;

namespace BPrivate {
class ViewWidget;
}

// Resizing modes: which parent edge each edge of the view keeps its
// distance to when the parent is resized.
#define _rule_(r1, r2, r3, r4) (((r1) << 12) | ((r2) << 8) | ((r3) << 4) | (r4))
enum {
	_VIEW_TOP_ = 1,
	_VIEW_LEFT_ = 2,
	_VIEW_BOTTOM_ = 3,
	_VIEW_RIGHT_ = 4,
};
enum {
	B_FOLLOW_NONE = 0,
	B_FOLLOW_ALL_SIDES = _rule_(_VIEW_TOP_, _VIEW_LEFT_, _VIEW_BOTTOM_, _VIEW_RIGHT_),
	B_FOLLOW_ALL = B_FOLLOW_ALL_SIDES,
	B_FOLLOW_LEFT = _rule_(0, _VIEW_LEFT_, 0, _VIEW_LEFT_),
	B_FOLLOW_RIGHT = _rule_(0, _VIEW_RIGHT_, 0, _VIEW_RIGHT_),
	B_FOLLOW_LEFT_RIGHT = _rule_(0, _VIEW_LEFT_, 0, _VIEW_RIGHT_),
	B_FOLLOW_TOP = _rule_(_VIEW_TOP_, 0, _VIEW_TOP_, 0),
	B_FOLLOW_BOTTOM = _rule_(_VIEW_BOTTOM_, 0, _VIEW_BOTTOM_, 0),
	B_FOLLOW_TOP_BOTTOM = _rule_(_VIEW_TOP_, 0, _VIEW_BOTTOM_, 0),
};

// View flags.
enum {
	B_WILL_DRAW = 0x20000000UL,
	B_PULSE_NEEDED = 0x10000000UL,
	B_FRAME_EVENTS = 0x04000000UL,
	B_NAVIGABLE = 0x02000000UL,
	// Marks a group for Option-Tab jumps, which this desktop does not have.
	B_NAVIGABLE_JUMP = 0x01000000UL,
};

// A rectangle of a window that draws and takes mouse and key events; views
// nest. Frame() is in the parent's coordinates, Bounds() in the view's own,
// whose origin ScrollTo() moves. Drawing calls take effect inside Draw();
// elsewhere they are ignored (call Invalidate() to have Draw() run).
//
// A view belongs to its parent, which deletes it; a view that is not
// attached belongs to its creator. Use it with its window locked, on the
// GUI thread.
class BView : public BHandler {
public:
	BView(BRect frame, const char* name, uint32 resizingMode, uint32 flags);
	// Deletes the children.
	~BView() override;

	// Hooks.
	virtual void AttachedToWindow();
	// updateRect is in the view's coordinates.
	virtual void Draw(BRect updateRect);
	virtual void MouseDown(BPoint where);
	virtual void MouseUp(BPoint where);
	// Tab moves the focus to the next navigable view, Shift-Tab to the
	// previous one; other keys are ignored.
	virtual void KeyDown(const char* bytes, int32 numBytes);
	// The new width and height, as Bounds().Width() and Height().
	virtual void FrameResized(float newWidth, float newHeight);
	virtual void FrameMoved(BPoint newPosition);
	virtual void MakeFocus(bool focus = true);
	virtual void ScrollTo(BPoint where);
	void ScrollTo(float x, float y) { ScrollTo(BPoint(x, y)); }

	// The tree. AddChild() adopts child (nothing happens when it has a
	// parent already), placing it before sibling or last. RemoveChild()
	// hands child back to the caller; false when it is not a child.
	void AddChild(BView* child, BView* sibling = nullptr);
	bool RemoveChild(BView* child);
	int32 CountChildren() const;
	BView* ChildAt(int32 index) const;
	BView* Parent() const { return fParent; }
	BWindow* Window() const { return fWindow; }
	// A descendant (or this view) by name; null when there is none.
	BView* FindView(const char* name) const;

	BRect Frame() const { return fFrame; }
	BRect Bounds() const;
	void MoveTo(BPoint where);
	void MoveTo(float x, float y) { MoveTo(BPoint(x, y)); }
	void ResizeTo(float width, float height);
	void SetResizingMode(uint32 mode) { fResizingMode = mode; }
	uint32 Flags() const { return fFlags; }
	bool IsFocus() const;

	// The scroll bar that targets this view, or null.
	BScrollBar* ScrollBar(orientation direction) const;

	void Invalidate();
	void Invalidate(BRect rect);

	// Drawing state and calls.
	void SetHighColor(rgb_color color) { fHighColor = color; }
	void SetHighColor(uint8 r, uint8 g, uint8 b, uint8 a = 255) { fHighColor = {r, g, b, a}; }
	rgb_color HighColor() const { return fHighColor; }
	void SetLowColor(rgb_color color) { fLowColor = color; }
	void SetLowColor(uint8 r, uint8 g, uint8 b, uint8 a = 255) { fLowColor = {r, g, b, a}; }
	rgb_color LowColor() const { return fLowColor; }
	// The colour the view is erased with before Draw().
	void SetViewColor(rgb_color color);
	void SetViewColor(uint8 r, uint8 g, uint8 b, uint8 a = 255) { SetViewColor({r, g, b, a}); }
	rgb_color ViewColor() const { return fViewColor; }
	virtual void SetFont(const BFont* font);
	void GetFont(BFont* font) const;
	float StringWidth(const char* string) const;
	void GetFontHeight(font_height* height) const;

	void FillRect(BRect rect, pattern fill = B_SOLID_HIGH);
	void StrokeRect(BRect rect, pattern stroke = B_SOLID_HIGH);
	// Both end points are drawn.
	void StrokeLine(BPoint start, BPoint end, pattern stroke = B_SOLID_HIGH);
	// With baseline at the left of the text's baseline.
	void DrawString(const char* string, BPoint baseline);
	void InvertRect(BRect rect);

	// B_MOUSE_WHEEL_CHANGED moves the view's scroll bars by WheelStep()
	// a notch; a view without scroll bars hands it to its parent.
	void MessageReceived(BMessage* message) override;

protected:
	// How far a notch of the wheel scrolls: three small steps of the bar.
	virtual float WheelStep(orientation direction) const;
	// Called when the parent's bounds change by dx, dy: applies the
	// resizing mode. Overridden by views whose Qt part needs telling.
	virtual void _ParentResized(float dx, float dy);
	// The widget behind this view; private kit code only.
	BPrivate::ViewWidget* _Widget() const { return fWidget; }

private:
	friend class BScrollBar;
	friend class BWindow;
	friend class BPrivate::ViewWidget;

	void _Attach(BWindow* window);
	void _Detach();
	void _PlaceWidget();
	void _SetFrame(BRect frame);
	void _Paint(BRect updateRect);
	void _Stroke(BPoint start, BPoint end, pattern stroke);

	BPrivate::ViewWidget* fWidget; // owned; child widgets belong to child views
	BView* fParent;
	BWindow* fWindow;
	std::vector<BView*> fChildren; // owned
	BRect fFrame;
	BPoint fOrigin;
	uint32 fResizingMode;
	uint32 fFlags;
	rgb_color fHighColor;
	rgb_color fLowColor;
	rgb_color fViewColor;
	BFont fFont;
	BScrollBar* fHorizontalBar; // not owned; it clears this when it goes
	BScrollBar* fVerticalBar;   // not owned; it clears this when it goes
};

#endif // VIEW_H
