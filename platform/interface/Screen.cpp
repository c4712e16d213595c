#include "Screen.h"

#include <QGuiApplication>
#include <QScreen>

#include <Window.h>

#include "QtConversions.h"

BScreen::BScreen(screen_id id)
{
	QList<QScreen*> screens = QGuiApplication::screens();
	QScreen* screen = id.id == B_MAIN_SCREEN_ID.id          ? QGuiApplication::primaryScreen()
					  : id.id > 0 && id.id < screens.size() ? screens[id.id]
															: nullptr;
	if (screen != nullptr)
		fFrame = BPrivate::from_qt(screen->geometry());
}

BScreen::BScreen(BWindow* window) : BScreen(B_MAIN_SCREEN_ID)
{
	if (window == nullptr)
		return;
	QScreen* screen = QGuiApplication::screenAt(BPrivate::to_qt(window->Frame()).center());
	if (screen != nullptr)
		fFrame = BPrivate::from_qt(screen->geometry());
}
