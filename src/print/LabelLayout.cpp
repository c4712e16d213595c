#include "LabelLayout.h"

#include <algorithm>

#include "PageCanvas.h"
#include "PostalAddress.h"

namespace {

// The makers' published sheet geometry, in millimetres.
struct Sheet {
	int columns;
	int rows;
	double left;
	double top;
	double width;
	double height;
	double columnPitch;
	double rowPitch;
};

const Sheet kL7160 = {3, 7, 7.21, 15.15, 63.5, 38.1, 66.04, 38.1};
const Sheet k5160 = {3, 10, 4.76, 12.7, 66.68, 25.4, 69.85, 25.4};

const double kInsetMm = 4;
const double kTextPoints = 8;

const Sheet&
SheetOf(PaperChoice choice)
{
	return choice == PaperChoice::k5160 ? k5160 : kL7160;
}

} // namespace

LabelLayout::LabelLayout(PaperChoice sheet, int offset) : fSheet(sheet), fOffset(0)
{
	fOffset = std::clamp(offset, 0, LabelsPerSheet() - 1);
}

int
LabelLayout::LabelsPerSheet() const
{
	const Sheet& sheet = SheetOf(fSheet);
	return sheet.columns * sheet.rows;
}

bool
LabelLayout::Print(QPagedPaintDevice* device, const std::vector<const ABookRecord*>& records) const
{
	PageCanvas canvas(device, PaperPageSize(fSheet));
	if (!canvas.IsActive())
		return false;
	const Sheet& sheet = SheetOf(fSheet);
	QFont font = canvas.Font(kTextPoints);
	double lineHeight = canvas.LineHeight(font);
	double labelHeight = canvas.Mm(sheet.height);
	int position = fOffset;
	for (const ABookRecord* record : records) {
		if (position == LabelsPerSheet()) {
			if (!canvas.NewPage())
				return false;
			position = 0;
		}
		int column = position % sheet.columns;
		int row = position / sheet.columns;
		position++;
		std::vector<std::string> lines = PostalAddressLines(record);
		size_t fit = static_cast<size_t>(std::max(0.0, labelHeight / lineHeight));
		if (lines.size() > fit)
			lines.resize(fit);
		double x = canvas.Mm(sheet.left + column * sheet.columnPitch + kInsetMm);
		double y = canvas.Mm(sheet.top + row * sheet.rowPitch) +
				   (labelHeight - lineHeight * lines.size()) / 2;
		canvas.DrawLines(font, x, y, canvas.Mm(sheet.width - 2 * kInsetMm), lines);
	}
	return true;
}
