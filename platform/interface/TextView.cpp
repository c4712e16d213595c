#include "TextView.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <Message.h>
#include <Window.h>

#include "QtConversions.h"
#include "TextEditor.h"
#include "ViewWidget.h"

namespace {

int32
utf8_length(const QString& text)
{
	return static_cast<int32>(text.toUtf8().size());
}

// The longest prefix of text, in whole characters, of at most maxBytes
// UTF-8 bytes.
QString
prefix_within(const QString& text, int32 maxBytes)
{
	int32 bytes = 0;
	int position = 0;
	while (position < text.size()) {
		int next =
			position + (text[position].isHighSurrogate() && position + 1 < text.size() ? 2 : 1);
		bytes += utf8_length(text.mid(position, next - position));
		if (bytes > maxBytes)
			break;
		position = next;
	}
	return text.left(position);
}

// length without a character cut off at its end.
int32
complete_length(const char* text, int32 length)
{
	for (int32 back = 1; back <= 4 && back <= length; back++) {
		auto byte = static_cast<unsigned char>(text[length - back]);
		if ((byte & 0xc0) == 0x80)
			continue;
		int32 needed = byte >= 0xf0 ? 4 : byte >= 0xe0 ? 3 : byte >= 0xc0 ? 2 : 1;
		return needed > back ? length - back : length;
	}
	return length;
}

// The character position of a byte offset into text.
int
position_of(const QString& text, int32 offset)
{
	QByteArray bytes = text.toUtf8();
	offset = std::clamp(offset, 0, static_cast<int32>(bytes.size()));
	return static_cast<int>(QString::fromUtf8(bytes.constData(), offset).size());
}

} // namespace

BTextView::BTextView(BRect frame, const char* name, BRect textRect, uint32 resizingMode,
					 uint32 flags)
	: BView(frame, name, resizingMode, flags), fEditor(new BPrivate::TextEditor(this)),
	  fTextRect(textRect), fMaxBytes(INT32_MAX), fWordWrap(true), fEditable(true),
	  fSelectable(true), fTrimming(false)
{
	_Widget()->SetInner(fEditor);
	_PlaceEditor();
	QObject::connect(
		fEditor->document(), &QTextDocument::contentsChange, fEditor,
		[this](int position, int, int charsAdded) { _EnforceMaxBytes(position, charsAdded); });
}

BTextView::~BTextView() = default;

void
BTextView::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes <= 0)
		return;
	int32 modifiers = 0;
	if (BMessage* message = Window() != nullptr ? Window()->CurrentMessage() : nullptr)
		message->FindInt32("modifiers", &modifiers);
	switch (bytes[0]) {
		case B_LEFT_ARROW:
		case B_RIGHT_ARROW:
		case B_UP_ARROW:
		case B_DOWN_ARROW:
		case B_HOME:
		case B_END:
			_MoveCursor(bytes[0], (modifiers & B_SHIFT_KEY) != 0);
			return;
		case B_BACKSPACE:
		case B_DELETE: {
			if (!fEditable)
				return;
			QTextCursor cursor = fEditor->textCursor();
			if (bytes[0] == B_BACKSPACE)
				cursor.deletePreviousChar();
			else
				cursor.deleteChar();
			fEditor->setTextCursor(cursor);
			return;
		}
		case B_ESCAPE:
		case B_PAGE_UP:
		case B_PAGE_DOWN:
		case B_INSERT:
			return;
	}
	if ((modifiers & B_COMMAND_KEY) != 0 || !fEditable)
		return;
	_InsertAtCursor(bytes, numBytes);
}

void
BTextView::MakeFocus(bool focus)
{
	BView::MakeFocus(focus);
	if (focus)
		fEditor->setFocus(Qt::OtherFocusReason);
}

void
BTextView::SetText(const char* text)
{
	SetText(text, text != nullptr ? static_cast<int32>(strlen(text)) : 0);
}

void
BTextView::SetText(const char* text, int32 length)
{
	fEditor->clear();
	Insert(0, text, length);
}

const char*
BTextView::Text() const
{
	fText = fEditor->toPlainText().toStdString();
	return fText.c_str();
}

int32
BTextView::TextLength() const
{
	return utf8_length(fEditor->toPlainText());
}

void
BTextView::Insert(const char* text)
{
	Insert(text, text != nullptr ? static_cast<int32>(strlen(text)) : 0);
}

void
BTextView::Insert(const char* text, int32 length)
{
	_InsertAtCursor(text, length);
}

void
BTextView::Insert(int32 offset, const char* text, int32 length)
{
	QTextCursor cursor = fEditor->textCursor();
	cursor.setPosition(position_of(fEditor->toPlainText(), offset));
	fEditor->setTextCursor(cursor);
	_InsertAtCursor(text, length);
}

void
BTextView::Delete(int32 start, int32 finish)
{
	Select(start, finish);
	Delete();
}

void
BTextView::Delete()
{
	QTextCursor cursor = fEditor->textCursor();
	cursor.removeSelectedText();
	fEditor->setTextCursor(cursor);
}

void
BTextView::Select(int32 start, int32 finish)
{
	QString text = fEditor->toPlainText();
	QTextCursor cursor = fEditor->textCursor();
	cursor.setPosition(position_of(text, start));
	cursor.setPosition(position_of(text, std::max(start, finish)), QTextCursor::KeepAnchor);
	fEditor->setTextCursor(cursor);
}

void
BTextView::SelectAll()
{
	fEditor->selectAll();
}

void
BTextView::GetSelection(int32* start, int32* finish) const
{
	QString text = fEditor->toPlainText();
	QTextCursor cursor = fEditor->textCursor();
	if (start != nullptr)
		*start = utf8_length(text.left(cursor.selectionStart()));
	if (finish != nullptr)
		*finish = utf8_length(text.left(cursor.selectionEnd()));
}

void
BTextView::MakeEditable(bool editable)
{
	fEditable = editable;
	_UpdateInteraction();
}

void
BTextView::MakeSelectable(bool selectable)
{
	fSelectable = selectable;
	_UpdateInteraction();
}

void
BTextView::SetMaxBytes(int32 maxBytes)
{
	fMaxBytes = std::max(maxBytes, 0);
	_EnforceMaxBytes(0, static_cast<int>(fEditor->toPlainText().size()));
}

void
BTextView::SetWordWrap(bool wrap)
{
	fWordWrap = wrap;
	fEditor->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void
BTextView::InsertText(const char* text, int32 length, int32 offset, const text_run_array*)
{
	if (text == nullptr || length <= 0)
		return;
	length = complete_length(text, static_cast<int32>(strnlen(text, static_cast<size_t>(length))));
	int32 room = fMaxBytes - TextLength();
	QString inserted = prefix_within(BPrivate::to_qt(text, length), std::max(room, 0));
	QTextCursor cursor = fEditor->textCursor();
	cursor.setPosition(position_of(fEditor->toPlainText(), offset));
	cursor.insertText(inserted);
	fEditor->setTextCursor(cursor);
}

void
BTextView::_InsertAtCursor(const char* text, int32 length)
{
	if (text == nullptr || length <= 0)
		return;
	QTextCursor cursor = fEditor->textCursor();
	cursor.removeSelectedText();
	fEditor->setTextCursor(cursor);
	int32 offset;
	GetSelection(&offset, nullptr);
	InsertText(text, length, offset, nullptr);
}

void
BTextView::_PlaceEditor()
{
	BRect bounds = Bounds();
	int left = std::max(0, static_cast<int>(fTextRect.left - bounds.left));
	int top = std::max(0, static_cast<int>(fTextRect.top - bounds.top));
	int right = std::max(0, static_cast<int>(bounds.right - fTextRect.right));
	int height = static_cast<int>(bounds.Height()) + 1;
	int line = fEditor->fontMetrics().lineSpacing();
	int bottom = std::clamp(height - top - line, 0, top);
	_Widget()->SetInnerMargins(QMargins(left, top, right, bottom));
}

void
BTextView::_EnforceMaxBytes(int position, int charsAdded)
{
	if (fTrimming || charsAdded <= 0)
		return;
	QString text = fEditor->toPlainText();
	int32 excess = utf8_length(text) - fMaxBytes;
	if (excess <= 0)
		return;
	// Keep what was there before; cut the added characters from their end.
	QString added = text.mid(position, charsAdded);
	int32 keep = std::max(0, utf8_length(added) - excess);
	QString kept = prefix_within(added, keep);
	fTrimming = true;
	QTextCursor cursor(fEditor->document());
	cursor.setPosition(position + static_cast<int>(kept.size()));
	cursor.setPosition(position + charsAdded, QTextCursor::KeepAnchor);
	cursor.removeSelectedText();
	fTrimming = false;
}

void
BTextView::_MoveCursor(char key, bool extend)
{
	QTextCursor cursor = fEditor->textCursor();
	QTextCursor::MoveMode mode = extend ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor;
	switch (key) {
		case B_LEFT_ARROW:
			cursor.movePosition(QTextCursor::Left, mode);
			break;
		case B_RIGHT_ARROW:
			cursor.movePosition(QTextCursor::Right, mode);
			break;
		case B_UP_ARROW:
			cursor.movePosition(QTextCursor::Up, mode);
			break;
		case B_DOWN_ARROW:
			cursor.movePosition(QTextCursor::Down, mode);
			break;
		case B_HOME:
			cursor.movePosition(QTextCursor::StartOfLine, mode);
			break;
		case B_END:
			cursor.movePosition(QTextCursor::EndOfLine, mode);
			break;
	}
	fEditor->setTextCursor(cursor);
}

void
BTextView::_UpdateInteraction()
{
	fEditor->setReadOnly(!fEditable);
	Qt::TextInteractionFlags flags = Qt::NoTextInteraction;
	if (fEditable)
		flags = Qt::TextEditorInteraction;
	else if (fSelectable)
		flags = Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard;
	fEditor->setTextInteractionFlags(flags);
}
