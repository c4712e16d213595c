#ifndef WINDOW_WIDGET_H
#define WINDOW_WIDGET_H

#include <QWidget>

class BWindow;

namespace BPrivate {

// The top-level widget of a BWindow: reports moves, resizes, activation
// and the close box to the window's looper.
class WindowWidget : public QWidget {
public:
	explicit WindowWidget(BWindow* window);

protected:
	void closeEvent(QCloseEvent* event) override;
	void resizeEvent(QResizeEvent* event) override;
	void moveEvent(QMoveEvent* event) override;
	void changeEvent(QEvent* event) override;

private:
	BWindow* fWindow;
};

} // namespace BPrivate

#endif // WINDOW_WIDGET_H
