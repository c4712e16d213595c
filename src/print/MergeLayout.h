#ifndef MERGE_LAYOUT_H
#define MERGE_LAYOUT_H

#include <vector>

#include <QPageSize>

class ABookRecord;
class MergeTemplate;
class QPagedPaintDevice;

// The merged text of each record from the top of a page of its own,
// flowing onto further pages when it is long.
class MergeLayout {
public:
	// mergeTemplate must be sound (empty Error()) and outlive the layout.
	MergeLayout(const MergeTemplate& mergeTemplate, QPageSize pageSize);

	// false when the device could not begin or refused a page.
	bool Print(QPagedPaintDevice* device, const std::vector<const ABookRecord*>& records) const;

private:
	const MergeTemplate& fTemplate;
	QPageSize fPageSize;
};

#endif // MERGE_LAYOUT_H
