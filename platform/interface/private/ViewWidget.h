#ifndef VIEW_WIDGET_H
#define VIEW_WIDGET_H

#include <QMargins>
#include <QWidget>

#include <Point.h>
#include <SupportDefs.h>

class BMessage;
class BView;
class QPainter;

namespace BPrivate {

// The widget behind a BView: paints through BView::Draw() and turns mouse
// and key events into the platform's messages, posted to the view's
// window with the view as target.
class ViewWidget : public QWidget {
public:
	explicit ViewWidget(BView* view);

	BView* View() const { return fView; }
	// The painter of the paint event in progress, translated to view
	// coordinates; null outside paint events.
	QPainter* Painter() const { return fPainter; }

	static BPrivate::ViewWidget* Of(const BView* view);

	// A Qt widget that does the view's work: it fills the view less
	// margins, follows its size and gets the focus in its place. Owned as a
	// child widget.
	void SetInner(QWidget* inner);
	void SetInnerMargins(const QMargins& margins);
	QWidget* Inner() const { return fInner; }

	// Fills message as the platform's B_KEY_DOWN for event; false for keys
	// that give no bytes (a lone modifier).
	static bool KeyMessage(const QKeyEvent* event, BMessage* message);
	// Posts message to view's window, with view as target.
	static void Post(BView* view, BMessage* message);

	// The platform's modifier bits for Qt's.
	static uint32 ModifiersFor(Qt::KeyboardModifiers modifiers);

protected:
	void paintEvent(QPaintEvent* event) override;
	void mousePressEvent(QMouseEvent* event) override;
	void mouseDoubleClickEvent(QMouseEvent* event) override;
	void mouseReleaseEvent(QMouseEvent* event) override;
	void keyPressEvent(QKeyEvent* event) override;
	// Posts B_MOUSE_WHEEL_CHANGED; Shift turns a vertical wheel sideways,
	// as on other desktops.
	void wheelEvent(QWheelEvent* event) override;
	void focusInEvent(QFocusEvent* event) override;
	void resizeEvent(QResizeEvent* event) override;
	// Tab and Shift-Tab reach the view as keys: BView::KeyDown() moves the
	// focus among navigable views.
	bool focusNextPrevChild(bool next) override;

private:
	void _PostMouse(uint32 what, QMouseEvent* event, int32 clicks);

	BView* fView;
	QPainter* fPainter;
	QWidget* fInner;
	QMargins fInnerMargins;
};

} // namespace BPrivate

#endif // VIEW_WIDGET_H
