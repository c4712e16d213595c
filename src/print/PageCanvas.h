#ifndef PAGE_CANVAS_H
#define PAGE_CANVAS_H

#include <string>
#include <vector>

#include <QFont>
#include <QPageLayout>
#include <QPainter>

class QPageSize;
class QPagedPaintDevice;

// Painting on the pages of a printer or a PDF writer in millimetres: sets
// the device's page size with no margins, so (0, 0) is the paper's corner,
// and begins a painter on it. Lengths are in device pixels; Mm converts.
// The device must outlive the canvas; the painter ends with the canvas.
class PageCanvas {
public:
	PageCanvas(QPagedPaintDevice* device, const QPageSize& pageSize,
			   QPageLayout::Orientation orientation = QPageLayout::Portrait);
	PageCanvas(const PageCanvas&) = delete;
	PageCanvas& operator=(const PageCanvas&) = delete;

	// False when the device could not begin (for instance an unwritable
	// PDF file); nothing may be drawn then.
	bool IsActive() const { return fPainter.isActive(); }

	double Mm(double millimetres) const { return millimetres * fDotsPerMm; }
	double Width() const { return fWidth; }
	double Height() const { return fHeight; }
	QPainter& Painter() { return fPainter; }

	// The body font of the pages at that size in points.
	static QFont Font(double points, bool bold = false);
	double LineHeight(const QFont& font) const;
	double TextWidth(const QFont& font, const std::string& text) const;

	// Draws text with its top at y, cut with an ellipsis when it is wider
	// than width.
	void DrawText(const QFont& font, double x, double y, double width, const std::string& text);
	// Draws lines one under another from y; answers the y below the last.
	double DrawLines(const QFont& font, double x, double y, double width,
					 const std::vector<std::string>& lines);
	// Draws text wrapped to width from y, each line feed starting a new
	// line; a line that would pass bottom starts a new page at top. Answers
	// the y below the last line, or a negative value when the device
	// refused a page.
	double DrawFlowingText(const QFont& font, double x, double y, double width, double top,
						   double bottom, const std::string& text);
	// Starts the next page; false when the device refused.
	bool NewPage();

private:
	QPagedPaintDevice* fDevice;
	QPainter fPainter;
	double fDotsPerMm;
	double fWidth;
	double fHeight;
};

#endif // PAGE_CANVAS_H
