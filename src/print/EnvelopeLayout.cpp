#include "EnvelopeLayout.h"

#include "PageCanvas.h"
#include "PostalAddress.h"

namespace {

const double kEdgeMm = 10;
const double kSenderPoints = 9;
const double kRecipientPoints = 11;

} // namespace

EnvelopeLayout::EnvelopeLayout(PaperChoice size, const ABookRecord* sender)
	: fSize(size), fSender(sender)
{
}

bool
EnvelopeLayout::Print(QPagedPaintDevice* device,
					  const std::vector<const ABookRecord*>& records) const
{
	PageCanvas canvas(device, PaperPageSize(fSize));
	if (!canvas.IsActive())
		return false;
	QFont senderFont = canvas.Font(kSenderPoints);
	QFont recipientFont = canvas.Font(kRecipientPoints);
	std::vector<std::string> sender = PostalAddressLines(fSender);
	double edge = canvas.Mm(kEdgeMm);
	double recipientX = canvas.Width() * 0.45;
	double recipientY = canvas.Height() * 0.45;
	bool first = true;
	for (const ABookRecord* record : records) {
		if (!first && !canvas.NewPage())
			return false;
		first = false;
		canvas.DrawLines(senderFont, edge, edge, recipientX - 2 * edge, sender);
		canvas.DrawLines(recipientFont, recipientX, recipientY, canvas.Width() - recipientX - edge,
						 PostalAddressLines(record));
	}
	return true;
}
