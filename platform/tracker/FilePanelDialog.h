#ifndef FILE_PANEL_DIALOG_H
#define FILE_PANEL_DIALOG_H

#include <QFileDialog>

class BFilePanel;
class BRefFilter;

namespace BPrivate {

// The dialog of a BFilePanel: reports confirmed files and closing to it.
class FilePanelDialog : public QFileDialog {
public:
	FilePanelDialog(BFilePanel* panel, BRefFilter* filter);

	void done(int result) override;

private:
	BFilePanel* fPanel;
};

} // namespace BPrivate

#endif // FILE_PANEL_DIALOG_H
