#ifndef FILE_PANEL_H
#define FILE_PANEL_H

#include <sys/stat.h>

#include <memory>
#include <string>
#include <vector>

#include <Entry.h>
#include <Messenger.h>
#include <SupportDefs.h>

class BFilePanel;
class BMessage;
class BNode;

enum file_panel_mode { B_OPEN_PANEL, B_SAVE_PANEL };

// The save panel's message code.
enum { B_SAVE_REQUESTED = '_SVR' };

// Node flavours an open panel lets the user choose (0: files).
enum { B_FILE_NODE = 0x01, B_SYMLINK_NODE = 0x02, B_DIRECTORY_NODE = 0x04, B_ANY_NODE = 0x07 };

// Decides which entries an open panel lists.
class BRefFilter {
public:
	virtual ~BRefFilter() = default;
	// True to list the entry. stat and node describe it; mimeType may be
	// empty.
	virtual bool Filter(const entry_ref* ref, BNode* node, struct stat* stat,
						const char* mimeType) = 0;
};

namespace BPrivate {
class FilePanelDialog;
// Behaves as if the user had confirmed paths (one for a save panel: the
// file's full path) in panel, or closed it. For tests.
status_t accept_file_panel(BFilePanel* panel, const std::vector<std::string>& paths);
void cancel_file_panel(BFilePanel* panel);

// Offers a choice of formats in panel, such as "CSV (*.csv)": the message
// of a confirmed panel then carries int32 "choice", the index of the one
// chosen. Not in the Be API, whose panels took extra views for this.
void set_file_panel_choices(BFilePanel* panel, const std::vector<std::string>& choices);
// Chooses one, as the user would. For tests.
void select_file_panel_choice(BFilePanel* panel, int32 index);
} // namespace BPrivate

// The desktop's file dialog, never modal to the application unless asked.
// Confirming sends a copy of the panel's message (by default
// B_REFS_RECEIVED for an open panel with one B_REF_TYPE "refs" per file,
// B_SAVE_REQUESTED for a save panel with ref "directory" and string
// "name") to the target (by default the application). When the panel then
// closes, or the user closes it without confirming, the target gets
// B_CANCEL with "old_what" (the panel message's code) and "source" (this
// panel). Hide() closes it without a message. GUI thread only.
class BFilePanel {
public:
	// Copies target and message; the caller keeps both. The filter is not
	// adopted and must outlive the panel.
	BFilePanel(file_panel_mode mode = B_OPEN_PANEL, BMessenger* target = nullptr,
			   const entry_ref* directory = nullptr, uint32 nodeFlavors = 0,
			   bool allowMultipleSelection = true, BMessage* message = nullptr,
			   BRefFilter* filter = nullptr, bool modal = false, bool hideWhenDone = true);
	virtual ~BFilePanel();

	void Show();
	void Hide();
	bool IsShowing() const;

	// Copies message; null restores the default.
	void SetMessage(BMessage* message);
	void SetSaveText(const char* text);

private:
	friend class BPrivate::FilePanelDialog;
	friend status_t BPrivate::accept_file_panel(BFilePanel*, const std::vector<std::string>&);
	friend void BPrivate::cancel_file_panel(BFilePanel*);
	friend void BPrivate::set_file_panel_choices(BFilePanel*, const std::vector<std::string>&);
	friend void BPrivate::select_file_panel_choice(BFilePanel*, int32);

	status_t _Accept(const std::vector<std::string>& paths);
	void _Closed();
	uint32 _What() const;

	std::unique_ptr<BPrivate::FilePanelDialog> fDialog;
	BMessenger fTarget;
	std::unique_ptr<BMessage> fMessage;
	file_panel_mode fMode;
	bool fHideWhenDone;
	bool fHasChoices = false;
};

#endif // FILE_PANEL_H
