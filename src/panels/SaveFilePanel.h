#ifndef SAVE_FILE_PANEL_H
#define SAVE_FILE_PANEL_H

class BFilePanel;
class BHandler;

// The save panel of a main window. It reports to target (the main window: 'SvFl' with "directory"
// and "name" when the user confirms a name, then B_CANCEL when the panel closes) and hides when
// done.
class SaveFilePanel {
public:
	explicit SaveFilePanel(BHandler* target);
	~SaveFilePanel();
	SaveFilePanel(const SaveFilePanel&) = delete;
	SaveFilePanel& operator=(const SaveFilePanel&) = delete;

	void Show();
	BFilePanel* Panel() const { return fPanel; }

private:
	BFilePanel* fPanel;
};

#endif // SAVE_FILE_PANEL_H
