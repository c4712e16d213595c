#include "PrintPreview.h"

#include <memory>

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

std::function<void(const std::string&, PageRenderer)> sSeam;

} // namespace

void
ShowPrintPreview(const std::string& title, PageRenderer render)
{
	if (sSeam) {
		sSeam(title, std::move(render));
		return;
	}
	// The layouts place everything on the paper themselves.
	auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
	printer->setFullPage(true);
	printer->setDocName(QString::fromStdString(title));
	auto* dialog = new QPrintPreviewDialog(printer.get());
	dialog->setAttribute(Qt::WA_DeleteOnClose);
	dialog->setWindowTitle(QString::fromStdString(title));
	// The printer lives as long as the dialog that paints on it.
	QObject::connect(dialog, &QPrintPreviewDialog::paintRequested,
					 [printer, render = std::move(render)](QPrinter* target) { render(target); });
	dialog->open();
}

void
SetPrintPreviewSeam(std::function<void(const std::string&, PageRenderer)> seam)
{
	sSeam = std::move(seam);
}
