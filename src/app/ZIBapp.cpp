#include "ZIBapp.h"

#include <cmath>
#include <cstring>

#include <AppDefs.h>
#include <Entry.h>
#include <InterfaceDefs.h>
#include <List.h>
#include <Message.h>
#include <Node.h>
#include <Screen.h>

#include "AppIdentity.h"
#include "BookChangedQuery.h"
#include "BookConstants.h"
#include "PreferenceSet.h"
#include "Preferences.h"
#include "SaveFilePanel.h"
#include "WindowConstants.h"
#include "WordServicesConstants.h"
#include "ZIBAboutWindow.h"
#include "ZIBTechWindow.h"
#include "ZIBWindow.h"
#include "ZIBWordServicesServer.h"
#include "ZIBook.h"

const char* const kAppSignature = kAppIdentity.signature;
const BRect kNewBookFrame(20, 20, 550, 200);

ZIBapp* gZIBapp = nullptr;

namespace {

const char* const kPreferencesName = "x-vnd.vornak-zibmo";
const char* const kSettingsName = "settings";
const char* const kLastFileSaved = "LastFileSaved";
const char* const kLanguageRules = "LanguageRules";
const int32 kWindowListBlockSize = 5;

// A stored frame is used when it is a real rectangle that shows at least
// part of the window on the screen.
bool
IsUsableFrame(const float values[4])
{
	for (int i = 0; i < 4; i++) {
		if (!std::isfinite(values[i]))
			return false;
	}
	BRect frame(values[0], values[1], values[2], values[3]);
	BRect screen = BScreen(B_MAIN_SCREEN_ID).Frame();
	return frame.IsValid() && frame.right >= screen.left && frame.left <= screen.right &&
		   frame.bottom >= screen.top && frame.top <= screen.bottom;
}

} // namespace

ZIBapp::ZIBapp()
	: BApplication(kAppSignature), fWindowList(nullptr), fWindowOpenFlag(false),
	  fActiveWindow(nullptr), fWordServices(nullptr), fSessionAlertShown(false),
	  fPreferences(nullptr), fSettings(nullptr), fLanguageRules(false)
{
	gZIBapp = this;
	ValidateAttributes();
	fWordServices = new ZIBWordServicesServer(BMessenger(this));
	fWordServices->Run();
	fWindowList = new BList(kWindowListBlockSize);
	fPreferences = new Preferences(kPreferencesName);
	if (fPreferences->InitCheck() == B_OK) {
		fSettings = new PreferenceSet(*fPreferences, kSettingsName, true);
		fSettings->InitCheck();
	}
	const void* data = nullptr;
	int32 size = 0;
	type_code type = 0;
	if (PreferenceSet* settings = GetSettings();
		settings != nullptr && settings->GetData(kLanguageRules, data, size, type) == B_OK &&
		type == B_BOOL_TYPE && size == 1)
		fLanguageRules = *static_cast<const uint8*>(data) != 0;
}

ZIBapp::~ZIBapp()
{
	delete fWindowList;
	if (fWordServices != nullptr) {
		fWordServices->Close();
		fWordServices->Lock();
		fWordServices->Quit();
	}
	if (fSettings != nullptr && fSettings->InitCheck() == B_OK)
		fSettings->Save();
	delete fSettings;
	delete fPreferences;
	if (gZIBapp == this)
		gZIBapp = nullptr;
}

void
ZIBapp::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgNewBook:
			MakeNewABook();
			break;
		case kMsgShowAbout:
			ShowAboutWindow();
			break;
		case kMsgShowTech:
			ShowTechWindow();
			break;
		case kMsgWordServicesBatch:
			HandleBatchCheck(message);
			break;
		case kMsgWordServicesError:
			HandleWordServicesError();
			break;
		case kMsgSessionAlertClosed:
			fSessionAlertShown = false;
			break;
		case kMsgIsBookChanged:
			HandleBookChangedQuery(message);
			break;
		case B_MOUSE_DOWN:
		case B_KEY_DOWN:
			break;
		default:
			BApplication::MessageReceived(message);
			break;
	}
}

bool
ZIBapp::QuitRequested()
{
	return BApplication::QuitRequested();
}

void
ZIBapp::ReadyToRun()
{
	if (fWindowOpenFlag)
		return;
	const void* data = nullptr;
	int32 size = 0;
	type_code type = 0;
	PreferenceSet* settings = GetSettings();
	entry_ref ref;
	if (settings == nullptr || settings->GetData(kLastFileSaved, data, size, type) != B_OK ||
		type != B_STRING_TYPE || size < 2 || static_cast<const char*>(data)[size - 1] != '\0' ||
		get_ref_for_path(static_cast<const char*>(data), &ref) != B_OK) {
		MakeNewABook();
		return;
	}
	_OpenFile(ref);
}

void
ZIBapp::RefsReceived(BMessage* message)
{
	entry_ref ref;
	if (message->FindRef("refs", 0, &ref) != B_OK)
		return;
	// Only the first file opens.
	_OpenFile(ref);
	fWindowOpenFlag = true;
}

void
ZIBapp::MakeNewABook()
{
	ZIBWindow* window = _OpenWindow(kNewBookFrame);
	window->SetThisABook(new ZIBook(window));
	window->Show();
	window->GetSaveFilePanel()->Show();
}

// Each command opens a window of its own; it deletes itself when closed.
void
ZIBapp::ShowAboutWindow()
{
	(new ZIBAboutWindow())->Show();
}

void
ZIBapp::ShowTechWindow()
{
	(new ZIBTechWindow())->Show();
}

BRect
ZIBapp::GetWndwFrame(BMessage* message)
{
	entry_ref ref;
	if (message->FindRef("refs", 0, &ref) != B_OK)
		return kNewBookFrame;
	return GetWndwFrame(ref);
}

BRect
ZIBapp::GetWndwFrame(entry_ref ref)
{
	BEntry entry(&ref, false);
	BNode node(&entry);
	float values[4];
	if (node.ReadAttr(kFrameAttribute, B_RECT_TYPE, 0, values, sizeof(values)) !=
			static_cast<ssize_t>(sizeof(values)) ||
		!IsUsableFrame(values))
		return kNewBookFrame;
	return BRect(values[0], values[1], values[2], values[3]);
}

void
ZIBapp::WindowClosed(ZIBWindow* window)
{
	_ForgetWindow(window);
	if (fWindowList->IsEmpty())
		PostMessage(B_QUIT_REQUESTED);
}

void
ZIBapp::_ForgetWindow(ZIBWindow* window)
{
	fWindowList->RemoveItem(window);
	if (fActiveWindow == window)
		fActiveWindow = static_cast<ZIBWindow*>(fWindowList->LastItem());
}

PreferenceSet*
ZIBapp::GetSettings() const
{
	return fSettings != nullptr && fSettings->InitCheck() == B_OK ? fSettings : nullptr;
}

void
ZIBapp::SetLastFileSaved(const char* path)
{
	if (PreferenceSet* settings = GetSettings())
		settings->SetData(kLastFileSaved, path, strlen(path) + 1, B_STRING_TYPE);
}

void
ZIBapp::SetLanguageRules(bool on)
{
	fLanguageRules = on;
	const uint8 value = on ? 1 : 0;
	if (PreferenceSet* settings = GetSettings())
		settings->SetData(kLanguageRules, &value, sizeof(value), B_BOOL_TYPE);
	for (int32 i = 0; i < fWindowList->CountItems(); i++)
		static_cast<ZIBWindow*>(fWindowList->ItemAt(i))->PostMessage(kMsgLanguageRulesChanged);
}

ZIBWindow*
ZIBapp::_OpenWindow(BRect frame)
{
	ZIBWindow* window = new ZIBWindow(frame);
	fWindowList->AddItem(window);
	fActiveWindow = window;
	return window;
}

void
ZIBapp::_OpenFile(const entry_ref& ref)
{
	BMessage message(B_REFS_RECEIVED);
	message.AddRef("refs", &ref);
	ZIBWindow* window = _OpenWindow(GetWndwFrame(ref));
	if (window->ZIBopen_it(&message, 1) == B_OK)
		return;
	// The file could not be read; the alert has told why. A new book takes
	// its place when no other window is open.
	_ForgetWindow(window);
	if (window->Lock())
		window->Quit();
	if (fWindowList->IsEmpty())
		MakeNewABook();
}
