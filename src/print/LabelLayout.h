#ifndef LABEL_LAYOUT_H
#define LABEL_LAYOUT_H

#include <vector>

#include "PaperChoice.h"

class ABookRecord;
class QPagedPaintDevice;

// Sheets of address labels: one record's postal address per label, row by
// row. The first `offset` labels of the first sheet are left blank, so a
// sheet already partly used can be used up.
class LabelLayout {
public:
	// sheet must be a label sheet; an offset beyond the sheet's labels is
	// taken as its last label.
	LabelLayout(PaperChoice sheet, int offset);

	// Labels on one sheet.
	int LabelsPerSheet() const;

	// false when the device could not begin or refused a page.
	bool Print(QPagedPaintDevice* device, const std::vector<const ABookRecord*>& records) const;

private:
	PaperChoice fSheet;
	int fOffset;
};

#endif // LABEL_LAYOUT_H
