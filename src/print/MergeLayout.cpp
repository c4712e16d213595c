#include "MergeLayout.h"

#include "MergeTemplate.h"
#include "PageCanvas.h"

namespace {

const double kMarginMm = 25;
const double kTextPoints = 11;

} // namespace

MergeLayout::MergeLayout(const MergeTemplate& mergeTemplate, QPageSize pageSize)
	: fTemplate(mergeTemplate), fPageSize(std::move(pageSize))
{
}

bool
MergeLayout::Print(QPagedPaintDevice* device, const std::vector<const ABookRecord*>& records) const
{
	PageCanvas canvas(device, fPageSize);
	if (!canvas.IsActive())
		return false;
	QFont font = canvas.Font(kTextPoints);
	double margin = canvas.Mm(kMarginMm);
	bool first = true;
	for (const ABookRecord* record : records) {
		if (!first && !canvas.NewPage())
			return false;
		first = false;
		if (canvas.DrawFlowingText(font, margin, margin, canvas.Width() - 2 * margin, margin,
								   canvas.Height() - margin, fTemplate.Merge(record)) < 0)
			return false;
	}
	return true;
}
