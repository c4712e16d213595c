#include "LetterLayout.h"

#include "PageCanvas.h"
#include "PostalAddress.h"

namespace {

const double kMarginMm = 25;
const double kRecipientTopMm = 50;
const double kTextPoints = 11;

} // namespace

LetterLayout::LetterLayout(const ABookRecord* sender, std::string date, std::string body,
						   QPageSize pageSize)
	: fSender(sender), fDate(std::move(date)), fBody(std::move(body)),
	  fPageSize(std::move(pageSize))
{
}

std::string
LetterLayout::Salutation(const ABookRecord* record)
{
	std::string name = FullName(record);
	return name.empty() ? "Dear Sir or Madam," : "Dear " + name + ",";
}

bool
LetterLayout::Print(QPagedPaintDevice* device, const std::vector<const ABookRecord*>& records) const
{
	PageCanvas canvas(device, fPageSize);
	if (!canvas.IsActive())
		return false;
	QFont font = canvas.Font(kTextPoints);
	double lineHeight = canvas.LineHeight(font);
	double margin = canvas.Mm(kMarginMm);
	double width = canvas.Width() - 2 * margin;
	double senderX = canvas.Width() * 0.55;
	std::vector<std::string> sender = PostalAddressLines(fSender);
	bool first = true;
	for (const ABookRecord* record : records) {
		if (!first && !canvas.NewPage())
			return false;
		first = false;
		double y =
			canvas.DrawLines(font, senderX, margin, canvas.Width() - senderX - margin, sender);
		canvas.DrawText(font, senderX, y + lineHeight, canvas.Width() - senderX - margin, fDate);
		y = std::max(y + 3 * lineHeight, canvas.Mm(kRecipientTopMm));
		y = canvas.DrawLines(font, margin, y, width, PostalAddressLines(record));
		y += 2 * lineHeight;
		canvas.DrawText(font, margin, y, width, Salutation(record));
		y += 2 * lineHeight;
		if (canvas.DrawFlowingText(font, margin, y, width, margin, canvas.Height() - margin,
								   fBody) < 0)
			return false;
	}
	return true;
}
