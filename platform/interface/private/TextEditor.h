#ifndef TEXT_EDITOR_H
#define TEXT_EDITOR_H

#include <QPlainTextEdit>

class BTextView;

namespace BPrivate {

// The editor behind a BTextView. Typed keys go to the view's window as
// B_KEY_DOWN (BTextView::KeyDown() applies them); Ctrl combinations stay
// with the editor, which passes on those it does not know.
class TextEditor : public QPlainTextEdit {
public:
	explicit TextEditor(BTextView* view);

protected:
	void keyPressEvent(QKeyEvent* event) override;
	void focusInEvent(QFocusEvent* event) override;
	// Pasted and dropped text goes through BTextView::InsertText().
	void insertFromMimeData(const QMimeData* source) override;
	// Tab and Shift-Tab are keys of the view (BView::KeyDown()).
	bool focusNextPrevChild(bool next) override;

private:
	BTextView* fView;
};

} // namespace BPrivate

#endif // TEXT_EDITOR_H
