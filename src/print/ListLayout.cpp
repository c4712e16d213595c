#include "ListLayout.h"

#include <algorithm>
#include <numeric>

#include <QFontMetricsF>
#include <QPagedPaintDevice>

#include "ABookRecord.h"
#include "PageCanvas.h"
#include "ZIBook.h"

namespace {

const double kMarginMm = 12;
const double kGapMm = 3;
const double kTextPoints = 9;
const double kSmallestPoints = 6;

} // namespace

ListLayout::ListLayout(std::string bookName, std::vector<int> fields, QPageSize pageSize)
	: fBookName(std::move(bookName)), fFields(std::move(fields)), fPageSize(std::move(pageSize))
{
}

void
ListLayout::_CapWidths(std::vector<double>& widths, double room)
{
	// The largest cap that fits: narrow columns stay whole, the widest ones
	// share what is left equally.
	std::vector<double> sorted = widths;
	std::sort(sorted.begin(), sorted.end());
	double cap = 0;
	double narrow = 0;
	for (size_t i = 0; i < sorted.size(); i++) {
		double share = (room - narrow) / static_cast<double>(sorted.size() - i);
		if (share <= sorted[i]) {
			cap = std::max(0.0, share);
			break;
		}
		narrow += sorted[i];
	}
	for (double& width : widths)
		width = std::min(width, cap);
}

std::vector<double>
ListLayout::_ColumnWidths(QPagedPaintDevice* device, double points,
						  const std::vector<const ABookRecord*>& records) const
{
	QFontMetricsF text(PageCanvas::Font(points), device);
	QFontMetricsF bold(PageCanvas::Font(points, true), device);
	auto widthOf = [](const QFontMetricsF& metrics, const char* string) {
		return metrics.horizontalAdvance(QString::fromUtf8(string));
	};
	std::vector<double> widths;
	for (int field : fFields) {
		double width = widthOf(bold, gInitFieldNames[field]);
		for (const ABookRecord* record : records)
			width = std::max(width, widthOf(text, record->Field(field)));
		widths.push_back(width);
	}
	return widths;
}

bool
ListLayout::Print(QPagedPaintDevice* device, const std::vector<const ABookRecord*>& records) const
{
	// Too wide for the page upright: turned sideways; still too wide: a
	// smaller type, down to a legible size; then the widest columns are
	// narrowed.
	double dotsPerMm = device->logicalDpiX() / 25.4;
	double gap = kGapMm * dotsPerMm;
	auto totalOf = [gap](const std::vector<double>& widths) {
		return std::accumulate(widths.begin(), widths.end(), 0.0) + gap * widths.size();
	};
	QSizeF paper = fPageSize.size(QPageSize::Millimeter);
	double uprightRoom = (paper.width() - 2 * kMarginMm) * dotsPerMm;
	double sidewaysRoom = (paper.height() - 2 * kMarginMm) * dotsPerMm;
	double points = kTextPoints;
	std::vector<double> widths = _ColumnWidths(device, points, records);
	double total = totalOf(widths);
	bool sideways = total > uprightRoom;
	if (total > sidewaysRoom) {
		points = std::max(kSmallestPoints, points * sidewaysRoom / total);
		widths = _ColumnWidths(device, points, records);
		total = totalOf(widths);
	}
	PageCanvas canvas(device, fPageSize, sideways ? QPageLayout::Landscape : QPageLayout::Portrait);
	if (!canvas.IsActive())
		return false;
	QFont text = PageCanvas::Font(points);
	QFont bold = PageCanvas::Font(points, true);
	double lineHeight = canvas.LineHeight(bold);
	double left = canvas.Mm(kMarginMm);
	double usable = canvas.Width() - 2 * left;
	if (total > usable)
		_CapWidths(widths, usable - gap * widths.size());

	double top = canvas.Mm(kMarginMm);
	double bottom = canvas.Height() - top;
	int page = 0;
	double y = top;
	auto drawRow = [&](const QFont& font, auto textOf) {
		double x = left;
		for (size_t column = 0; column < fFields.size(); column++) {
			canvas.DrawText(font, x, y, widths[column], textOf(fFields[column]));
			x += widths[column] + gap;
		}
		y += lineHeight;
	};
	auto startPage = [&]() {
		if (page > 0 && !canvas.NewPage())
			return false;
		page++;
		y = top;
		canvas.DrawText(bold, left, y, usable / 2, fBookName);
		std::string number = "Page " + std::to_string(page);
		double numberWidth = canvas.TextWidth(text, number);
		canvas.DrawText(text, left + usable - numberWidth, y, numberWidth + 1, number);
		y += 2 * lineHeight;
		drawRow(bold, [](int field) { return std::string(gInitFieldNames[field]); });
		canvas.Painter().drawLine(QPointF(left, y), QPointF(left + usable, y));
		y += lineHeight / 4;
		return true;
	};

	if (!startPage())
		return false;
	for (const ABookRecord* record : records) {
		if (y + lineHeight > bottom && !startPage())
			return false;
		drawRow(text, [record](int field) { return std::string(record->Field(field)); });
	}
	return true;
}
