#include "TextEditor.h"

#include <QKeyEvent>
#include <QMimeData>

#include <Message.h>
#include <TextView.h>

#include "ViewWidget.h"

namespace BPrivate {

TextEditor::TextEditor(BTextView* view) : fView(view)
{
	setFrameStyle(QFrame::NoFrame);
	setTabChangesFocus(false);
	setLineWrapMode(QPlainTextEdit::WidgetWidth);
	setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
	setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
	// The view's text rectangle sets the insets.
	document()->setDocumentMargin(0);
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

namespace BPrivate {

void
TextEditor::insertFromMimeData(const QMimeData* source)
{
	if (source == nullptr || !source->hasText() || isReadOnly())
		return;
	QByteArray text = source->text().toUtf8();
	fView->_InsertAtCursor(text.constData(), static_cast<int32>(text.size()));
	ensureCursorVisible();
}

bool
TextEditor::focusNextPrevChild(bool)
{
	return false;
}

} // namespace BPrivate
