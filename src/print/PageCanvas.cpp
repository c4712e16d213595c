#include "PageCanvas.h"

#include <QFontMetricsF>
#include <QTextLayout>
#include <QPageLayout>
#include <QPagedPaintDevice>

namespace {

const char kFontFamily[] = "DejaVu Sans";

QString
Q(const std::string& text)
{
	return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

PageCanvas::PageCanvas(QPagedPaintDevice* device, const QPageSize& pageSize,
					   QPageLayout::Orientation orientation)
	: fDevice(device), fDotsPerMm(0), fWidth(0), fHeight(0)
{
	device->setPageLayout(QPageLayout(pageSize, orientation, QMarginsF(), QPageLayout::Millimeter));
	fPainter.begin(device);
	fDotsPerMm = device->logicalDpiX() / 25.4;
	QSizeF size = pageSize.size(QPageSize::Millimeter);
	if (orientation == QPageLayout::Landscape)
		size.transpose();
	fWidth = Mm(size.width());
	fHeight = Mm(size.height());
}

QFont
PageCanvas::Font(double points, bool bold)
{
	QFont font(kFontFamily);
	font.setPointSizeF(points);
	font.setBold(bold);
	// Ligatures would make "fi" one character in the PDF's text, which a
	// reader then cannot search or copy as typed.
	font.setStyleStrategy(QFont::PreferNoShaping);
	return font;
}

double
PageCanvas::LineHeight(const QFont& font) const
{
	return QFontMetricsF(font, fDevice).lineSpacing();
}

double
PageCanvas::TextWidth(const QFont& font, const std::string& text) const
{
	return QFontMetricsF(font, fDevice).horizontalAdvance(Q(text));
}

void
PageCanvas::DrawText(const QFont& font, double x, double y, double width, const std::string& text)
{
	QFontMetricsF metrics(font, fDevice);
	fPainter.setFont(font);
	fPainter.drawText(QPointF(x, y + metrics.ascent()),
					  metrics.elidedText(Q(text), Qt::ElideRight, width));
}

double
PageCanvas::DrawLines(const QFont& font, double x, double y, double width,
					  const std::vector<std::string>& lines)
{
	double lineHeight = LineHeight(font);
	for (const std::string& line : lines) {
		DrawText(font, x, y, width, line);
		y += lineHeight;
	}
	return y;
}

double
PageCanvas::DrawFlowingText(const QFont& font, double x, double y, double width, double top,
							double bottom, const std::string& text)
{
	QFontMetricsF metrics(font, fDevice);
	double lineHeight = metrics.lineSpacing();
	fPainter.setFont(font);
	for (const QString& paragraph : Q(text).split(u'\n')) {
		QTextLayout layout(paragraph, font, fDevice);
		layout.beginLayout();
		std::vector<QString> lines;
		for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
			line.setLineWidth(width);
			lines.push_back(paragraph.mid(line.textStart(), line.textLength()).trimmed());
		}
		layout.endLayout();
		if (lines.empty())
			lines.emplace_back();
		for (const QString& line : lines) {
			if (y + lineHeight > bottom) {
				if (!NewPage())
					return -1;
				y = top;
			}
			fPainter.drawText(QPointF(x, y + metrics.ascent()), line);
			y += lineHeight;
		}
	}
	return y;
}

bool
PageCanvas::NewPage()
{
	return fDevice->newPage();
}
