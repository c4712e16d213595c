#ifndef WINDOW_WIDGET_H
#define WINDOW_WIDGET_H

#include <QRect>
#include <QWidget>

class BWindow;

namespace BPrivate {

// The top-level widget of a BWindow: reports moves, resizes, activation,
// the close box and files dropped on it to the window's looper.
class WindowWidget : public QWidget {
public:
	explicit WindowWidget(BWindow* window);

	// The widget of window; never null.
	static WindowWidget* Of(BWindow* window);

	// The frame the window has without a hook having been told.
	void NoteFrame(const QRect& frame) { fReported = frame; }

protected:
	void closeEvent(QCloseEvent* event) override;
	void resizeEvent(QResizeEvent* event) override;
	void moveEvent(QMoveEvent* event) override;
	void changeEvent(QEvent* event) override;
	void dragEnterEvent(QDragEnterEvent* event) override;
	void dropEvent(QDropEvent* event) override;

private:
	BWindow* fWindow;
	// What FrameResized() and FrameMoved() last reported (or the frame the
	// window was made with): Qt repeats both when a window is first shown.
	QRect fReported;
};

} // namespace BPrivate

#endif // WINDOW_WIDGET_H
