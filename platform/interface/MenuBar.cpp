#include "MenuBar.h"

#include <QAction>
#include <QMenuBar>

#include <Window.h>

#include "MenuPrivate.h"
#include "ViewWidget.h"

BMenuBar::BMenuBar(BRect frame, const char* name, uint32 resizingMode, menu_layout layout,
				   bool resizeToFit)
	: BMenu(name, layout)
{
	auto* bar = new QMenuBar;
	// A global menu of the desktop session would take the bar, and with it
	// the shortcuts, out of the window.
	bar->setNativeMenuBar(false);
	_Widget()->SetInner(bar);
	_State()->container = bar;
	SetResizingMode(resizingMode);
	if (resizeToFit) {
		// An empty bar has no height yet; measure one holding an item.
		QAction probe(QStringLiteral("File"));
		bar->addAction(&probe);
		frame.bottom = frame.top + bar->sizeHint().height() - 1;
		bar->removeAction(&probe);
	}
	MoveTo(frame.LeftTop());
	ResizeTo(frame.Width(), frame.Height());
}

// The bar is the view's widget, so it outlives ~BMenu(), which removes the
// items' actions from it.
BMenuBar::~BMenuBar() = default;

void
BMenuBar::AttachedToWindow()
{
	if (Window()->KeyMenuBar() == nullptr)
		Window()->SetKeyMenuBar(this);
	BMenu::AttachedToWindow();
}
