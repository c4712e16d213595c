#include "PrintOptionsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include "ABookRecord.h"
#include "LabelLayout.h"
#include "PostalAddress.h"

namespace {

const char* const kTitles[] = {"Address an Envelope", "Make a Letter", "Mail Merge"};

std::string
Text(const QString& text)
{
	return text.toUtf8().toStdString();
}

} // namespace

PrintOptionsDialog::PrintOptionsDialog(Kind kind, const std::vector<const ABookRecord*>& senders,
									   const PrintSettings& settings, Accept accept)
	: fKind(kind), fSettings(settings), fAccept(std::move(accept))
{
	setAttribute(Qt::WA_DeleteOnClose);
	setWindowTitle(kTitles[static_cast<int>(kind)]);
	auto* form = new QFormLayout(this);

	if (kind == Kind::kEnvelope) {
		fPaper = new QComboBox(this);
		fPaper->setObjectName("paper");
		for (PaperChoice choice : kPaperChoices) {
			fPaper->addItem(QString::fromUtf8(PaperChoiceLabel(choice)), static_cast<int>(choice));
			if (choice == settings.paper)
				fPaper->setCurrentIndex(fPaper->count() - 1);
		}
		form->addRow("Envelope or labels:", fPaper);
		fFirstLabel = new QSpinBox(this);
		fFirstLabel->setObjectName("firstLabel");
		fFirstLabel->setRange(1, 30);
		fFirstLabel->setValue(settings.firstLabel);
		form->addRow("Start at label:", fFirstLabel);
		connect(fPaper, &QComboBox::currentIndexChanged, this, [this] { _PaperChanged(); });
		_PaperChanged();
	}
	if (kind != Kind::kMerge) {
		fSender = new QComboBox(this);
		fSender->setObjectName("sender");
		fSender->addItem("None", QString());
		for (const ABookRecord* record : senders) {
			QString nickname = QString::fromUtf8(record->Field(kNicknameField));
			if (nickname.isEmpty())
				continue;
			QString name = QString::fromUtf8(FullName(record).c_str());
			fSender->addItem(name.isEmpty() ? nickname : name + " (" + nickname + ")", nickname);
			if (nickname.compare(QString::fromStdString(settings.sender), Qt::CaseInsensitive) == 0)
				fSender->setCurrentIndex(fSender->count() - 1);
		}
		form->addRow("Sender:", fSender);
	}
	if (kind != Kind::kEnvelope) {
		fText = new QPlainTextEdit(this);
		fText->setObjectName("text");
		fText->setTabChangesFocus(true);
		if (kind == Kind::kLetter) {
			form->addRow("Letter:", fText);
		} else {
			fText->setPlaceholderText("Dear {First Name} {Last Name}, ...");
			auto* open = new QPushButton("Open a Template...", this);
			connect(open, &QPushButton::clicked, this, [this] { _OpenTemplate(); });
			form->addRow("Template:", fText);
			form->addRow(QString(), open);
			fFolder = new QLineEdit(this);
			fFolder->setObjectName("folder");
			fFolder->setPlaceholderText("empty: print the pages");
			auto* choose = new QPushButton("Choose...", this);
			connect(choose, &QPushButton::clicked, this, [this] {
				QString folder =
					QFileDialog::getExistingDirectory(this, "One Text File per Record");
				if (!folder.isEmpty())
					fFolder->setText(folder);
			});
			auto* row = new QHBoxLayout;
			row->addWidget(fFolder);
			row->addWidget(choose);
			form->addRow("Text files into folder:", row);
		}
	}

	fError = new QLabel(this);
	fError->setObjectName("error");
	fError->setWordWrap(true);
	fError->setStyleSheet("color: #b00000");
	fError->hide();
	form->addRow(fError);
	auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
	QPushButton* print = buttons->addButton("Print...", QDialogButtonBox::AcceptRole);
	print->setObjectName("print");
	print->setDefault(true);
	connect(buttons, &QDialogButtonBox::accepted, this, [this] { _Print(); });
	connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
	form->addRow(buttons);
}

void
PrintOptionsDialog::_PaperChanged()
{
	auto choice = static_cast<PaperChoice>(fPaper->currentData().toInt());
	fFirstLabel->setEnabled(IsLabelSheet(choice));
	if (IsLabelSheet(choice))
		fFirstLabel->setMaximum(LabelLayout(choice, 0).LabelsPerSheet());
}

void
PrintOptionsDialog::_OpenTemplate()
{
	QString path = QFileDialog::getOpenFileName(this, "Open a Template");
	if (path.isEmpty())
		return;
	QFile file(path);
	if (!file.open(QIODevice::ReadOnly)) {
		fError->setText("The template \"" + path + "\" cannot be read: " + file.errorString());
		fError->show();
		return;
	}
	fText->setPlainText(QString::fromUtf8(file.readAll()));
}

void
PrintOptionsDialog::_Print()
{
	Choice choice;
	choice.settings = fSettings;
	if (fPaper != nullptr) {
		choice.settings.paper = static_cast<PaperChoice>(fPaper->currentData().toInt());
		choice.settings.firstLabel = fFirstLabel->value();
	}
	if (fSender != nullptr)
		choice.settings.sender = Text(fSender->currentData().toString());
	if (fText != nullptr)
		(fKind == Kind::kLetter ? choice.body : choice.templateText) = Text(fText->toPlainText());
	if (fFolder != nullptr)
		choice.folder = Text(fFolder->text().trimmed());
	std::string error = fAccept(choice);
	if (error.empty()) {
		accept();
		return;
	}
	fError->setText(QString::fromStdString(error));
	fError->show();
}
