#ifndef ENVELOPE_LAYOUT_H
#define ENVELOPE_LAYOUT_H

#include <vector>

#include "PaperChoice.h"

class ABookRecord;
class QPagedPaintDevice;

// One envelope per record: the recipient's postal address right of the
// middle and below it, the sender's address (when there is a sender) in
// the top left corner.
class EnvelopeLayout {
public:
	// size must be an envelope, not a label sheet; sender may be null and
	// must outlive the layout.
	EnvelopeLayout(PaperChoice size, const ABookRecord* sender);

	// false when the device could not begin or refused a page.
	bool Print(QPagedPaintDevice* device, const std::vector<const ABookRecord*>& records) const;

private:
	PaperChoice fSize;
	const ABookRecord* fSender;
};

#endif // ENVELOPE_LAYOUT_H
