#ifndef LIST_LAYOUT_H
#define LIST_LAYOUT_H

#include <string>
#include <vector>

#include <QPageSize>

class ABookRecord;
class QPagedPaintDevice;

// The printed list: a title line with the book's name and the page number
// on every page, the column titles, then one row per record. Each column is
// as wide as its widest text. A list too wide for the page upright is
// printed sideways, in smaller type when it must, and then its widest
// columns are narrowed to a common width, their texts cut with an
// ellipsis. A row is never split between pages.
class ListLayout {
public:
	// fields: the columns' field numbers, in the window's order.
	ListLayout(std::string bookName, std::vector<int> fields,
			   QPageSize pageSize = QPageSize(QPageSize::A4));

	// Draws records onto device's pages; false when the device could not
	// begin or refused a page.
	bool Print(QPagedPaintDevice* device, const std::vector<const ABookRecord*>& records) const;

private:
	// The widest text of each column at that size, titles in bold.
	std::vector<double> _ColumnWidths(QPagedPaintDevice* device, double points,
									  const std::vector<const ABookRecord*>& records) const;
	// Narrows the widest of widths until they sum to room.
	static void _CapWidths(std::vector<double>& widths, double room);

	std::string fBookName;
	std::vector<int> fFields;
	QPageSize fPageSize;
};

#endif // LIST_LAYOUT_H
