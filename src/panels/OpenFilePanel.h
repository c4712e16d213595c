#ifndef OPEN_FILE_PANEL_H
#define OPEN_FILE_PANEL_H

class BFilePanel;
class BHandler;

// The open panel of a main window. It reports to target (the application: B_REFS_RECEIVED with one
// "refs" when the user confirms a file) and hides when done.
class OpenFilePanel {
public:
	explicit OpenFilePanel(BHandler* target);
	~OpenFilePanel();
	OpenFilePanel(const OpenFilePanel&) = delete;
	OpenFilePanel& operator=(const OpenFilePanel&) = delete;

	void Show();
	BFilePanel* Panel() const { return fPanel; }

private:
	BFilePanel* fPanel;
};

#endif // OPEN_FILE_PANEL_H
