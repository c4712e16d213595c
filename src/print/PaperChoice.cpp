#include "PaperChoice.h"

#include <QLocale>
#include <QSizeF>

namespace {

struct Paper {
	PaperChoice choice;
	const char* name;
	const char* label;
	QSizeF size;
	QPageSize::Unit unit;
};

const Paper kPapers[] = {
	{PaperChoice::kDL, "dl", "Envelope DL (220 × 110 mm)", {220, 110}, QPageSize::Millimeter},
	{PaperChoice::kC5, "c5", "Envelope C5 (229 × 162 mm)", {229, 162}, QPageSize::Millimeter},
	{PaperChoice::kC6, "c6", "Envelope C6 (162 × 114 mm)", {162, 114}, QPageSize::Millimeter},
	{PaperChoice::kUS10,
	 "us10",
	 "Envelope US No. 10 (9.5 × 4.125 in)",
	 {9.5, 4.125},
	 QPageSize::Inch},
	{PaperChoice::kL7160,
	 "l7160",
	 "Labels on A4, 3 × 7 (L7160)",
	 {210, 297},
	 QPageSize::Millimeter},
	{PaperChoice::k5160, "5160", "Labels on US Letter, 3 × 10 (5160)", {8.5, 11}, QPageSize::Inch},
};

const Paper&
PaperOf(PaperChoice choice)
{
	for (const Paper& paper : kPapers) {
		if (paper.choice == choice)
			return paper;
	}
	return kPapers[0];
}

} // namespace

const char*
PaperChoiceName(PaperChoice choice)
{
	return PaperOf(choice).name;
}

const char*
PaperChoiceLabel(PaperChoice choice)
{
	return PaperOf(choice).label;
}

std::optional<PaperChoice>
PaperChoiceFromName(const std::string& name)
{
	for (const Paper& paper : kPapers) {
		if (name == paper.name)
			return paper.choice;
	}
	return std::nullopt;
}

bool
IsLabelSheet(PaperChoice choice)
{
	return choice == PaperChoice::kL7160 || choice == PaperChoice::k5160;
}

QPageSize
PaperPageSize(PaperChoice choice)
{
	if (choice == PaperChoice::kL7160)
		return QPageSize(QPageSize::A4);
	if (choice == PaperChoice::k5160)
		return QPageSize(QPageSize::Letter);
	const Paper& paper = PaperOf(choice);
	return QPageSize(paper.size, paper.unit, QString::fromUtf8(paper.label), QPageSize::ExactMatch);
}

QPageSize
LocalePaperSize()
{
	return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
																				: QPageSize::A4);
}
