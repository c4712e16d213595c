#include "TextEditor.h"

#include <QKeyEvent>

#include <Message.h>
#include <TextView.h>

#include "ViewWidget.h"

namespace BPrivate {

TextEditor::TextEditor(BTextView* view) : fView(view)
{
	setFrameStyle(QFrame::NoFrame);
	setTabChangesFocus(false);
	setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

void
TextEditor::keyPressEvent(QKeyEvent* event)
{
	BMessage message;
	if ((event->modifiers() & Qt::ControlModifier) != 0 ||
		!ViewWidget::KeyMessage(event, &message)) {
		QPlainTextEdit::keyPressEvent(event);
		return;
	}
	ViewWidget::Post(fView, &message);
}

void
TextEditor::focusInEvent(QFocusEvent* event)
{
	QPlainTextEdit::focusInEvent(event);
	if (!fView->IsFocus())
		fView->MakeFocus(true);
}

} // namespace BPrivate
