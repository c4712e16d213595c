#ifndef PRINT_OPTIONS_DIALOG_H
#define PRINT_OPTIONS_DIALOG_H

#include <functional>
#include <string>
#include <vector>

#include <QDialog>

#include "PaperChoice.h"
#include "PrintSettings.h"

class ABookRecord;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

// The choices of "Address an Envelope", "Make a Letter" and "Mail Merge"
// before the preview: the envelope or label sheet, the first label and the
// sender; the sender and the letter's body; the merge template, typed or
// read from a file, and where the merge goes. Non-modal; deletes itself
// when closed. GUI thread only.
class PrintOptionsDialog : public QDialog {
public:
	enum class Kind { kEnvelope, kLetter, kMerge };

	struct Choice {
		PrintSettings settings;
		std::string body;
		std::string templateText;
		// Merge into one text file per record in this folder; empty to
		// print.
		std::string folder;
	};

	// Answers an error to show in the dialog, which then stays open, or
	// the empty text, and the dialog closes.
	using Accept = std::function<std::string(const Choice&)>;

	// senders: the records offered as the sender, read here only;
	// settings: the choices shown first, kept where the dialog has no row
	// for them.
	PrintOptionsDialog(Kind kind, const std::vector<const ABookRecord*>& senders,
					   const PrintSettings& settings, Accept accept);

private:
	void _Print();
	void _OpenTemplate();
	void _PaperChanged();

	Kind fKind;
	PrintSettings fSettings;
	Accept fAccept;
	QComboBox* fPaper = nullptr;
	QSpinBox* fFirstLabel = nullptr;
	QComboBox* fSender = nullptr;
	QPlainTextEdit* fText = nullptr;
	QLineEdit* fFolder = nullptr;
	QLabel* fError = nullptr;
};

#endif // PRINT_OPTIONS_DIALOG_H
