#ifndef PRINT_PREVIEW_H
#define PRINT_PREVIEW_H

#include <functional>
#include <string>

class QPagedPaintDevice;

// Draws the pages of one print job into a printer or a PDF writer; false
// when the device refused.
using PageRenderer = std::function<bool(QPagedPaintDevice*)>;

// Shows the desktop's print preview of the pages, titled title; its print
// button opens the desktop's print dialog, which chooses a printer or a
// PDF file. Returns at once: the preview is a window of its own, which
// deletes itself and the renderer when closed. GUI thread only.
void ShowPrintPreview(const std::string& title, PageRenderer render);

// For tests: while set, ShowPrintPreview hands the title and the renderer
// to seam instead of showing anything. Pass nullptr to restore.
void SetPrintPreviewSeam(std::function<void(const std::string&, PageRenderer)> seam);

#endif // PRINT_PREVIEW_H
