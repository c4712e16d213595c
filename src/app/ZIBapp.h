#ifndef ZIBAPP_H
#define ZIBAPP_H

#include <Application.h>
#include <Entry.h>
#include <Rect.h>

class BList;
class BNode;
class PreferenceSet;
class Preferences;
class ZIBWindow;
class ZIBWordServicesServer;

// Application-level commands the main windows forward.
enum {
	kMsgNewBook = 'abmn',
	kMsgShowAbout = 'abma',
	kMsgShowTech = 'abmt',
	// The Word Services session alert was closed.
	kMsgSessionAlertClosed = 'abwc',
};

extern const char* const kAppSignature;
// Where a new book's window opens, and where a file's window opens when
// its stored frame is missing or lies off the screen.
extern const BRect kNewBookFrame;

// The application: decides what opens at start, creates every main window,
// keeps the open windows and the active one, keeps the "settings"
// preference set and hands Word Services requests, with the active window,
// to the Word Services looper. Everything else runs on the application's
// (GUI) thread.
class ZIBapp : public BApplication {
public:
	ZIBapp();
	~ZIBapp() override;

	void MessageReceived(BMessage* message) override;
	// Asks every window, so each saves its dirty book; a window whose save
	// failed refuses and the application keeps running.
	bool QuitRequested() override;
	void ReadyToRun() override;
	void RefsReceived(BMessage* message) override;

	void MakeNewABook();
	void ShowAboutWindow();
	void ShowTechWindow();

	// The frame stored on the file of the message's first "refs" entry, or
	// on ref; kNewBookFrame when none is stored or it lies off the screen.
	BRect GetWndwFrame(BMessage* message);
	BRect GetWndwFrame(entry_ref ref);

	// A window that closes calls WindowClosed(); the active window then
	// becomes the most recently opened window still open, or none.
	void SetActiveWindow(ZIBWindow* window) { fActiveWindow = window; }
	ZIBWindow* GetActiveWindow() const { return fActiveWindow; }
	void WindowClosed(ZIBWindow* window);
	void SetWindowList(BList* list) { fWindowList = list; }
	BList* GetWindowList() const { return fWindowList; }
	void SetWindowOpenFlag(bool flag) { fWindowOpenFlag = flag; }
	bool GetWindowOpenFlag() const { return fWindowOpenFlag; }

	// The "settings" set, or null when the preferences could not be opened
	// (callers then keep no setting).
	PreferenceSet* GetSettings() const;
	// Stores path as "LastFileSaved" when there is a usable settings set.
	void SetLastFileSaved(const char* path);
	// "Sort by Language Rules", for every window: sorting by a column title
	// follows the collation of the user's locale and Find ignores case in
	// every script. Read from "LanguageRules" in the settings at start (off
	// when missing or not a bool); SetLanguageRules stores it there too and
	// tells every window.
	bool GetLanguageRules() const { return fLanguageRules; }
	void SetLanguageRules(bool on);

	// Word Services registration on the executable's own file.
	void ValidateAttributes();
	status_t ValidateIndex(long device, bool& created);
	long MakeWordServicesAttribute(BNode* node);
	long MakeMenuStringsAttribute(BNode* node);
	// Hands request to the Word Services looper with the active window.
	void HandleBatchCheck(BMessage* request);
	// A request that could not start: shows the session alert unless one
	// stands already.
	void HandleWordServicesError();
	// Answers kMsgIsBookChanged (BookChangedQuery.h).
	void HandleBookChangedQuery(BMessage* query);

private:
	ZIBWindow* _OpenWindow(BRect frame);
	void _OpenFile(const entry_ref& ref);
	void _ForgetWindow(ZIBWindow* window);

	BList* fWindowList;
	bool fWindowOpenFlag;
	ZIBWindow* fActiveWindow;
	ZIBWordServicesServer* fWordServices;
	bool fSessionAlertShown;
	Preferences* fPreferences;
	PreferenceSet* fSettings;
	bool fLanguageRules;
};

// The one application object.
extern ZIBapp* gZIBapp;

#endif // ZIBAPP_H
