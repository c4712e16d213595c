// The Word Services members of ZIBapp: the registration on the executable's
// own file and the requests of client applications.
#include "ZIBapp.h"

#include <Alert.h>
#include <Invoker.h>
#include <Message.h>
#include <Messenger.h>
#include <Node.h>

#include "WordServicesRegistration.h"
#include "ZIBWindow.h"
#include "ZIBWordServicesServer.h"

namespace {

const char* const kAlertTitle = "Message";
const char* const kRegistrationAlertText =
	"Error registering Larimo Address Book as a Word Services server.  This will prevent the "
	"Look Up E-Mail Address menu item from showing up in client applications.";
const char* const kSessionAlertText = "Unable to initiate Word Services session";

void
show_alert(const char* text)
{
	(new BAlert(kAlertTitle, text, "OK", nullptr, nullptr, B_WIDTH_AS_USUAL, B_INFO_ALERT))->Go();
}

} // namespace

void
ZIBapp::ValidateAttributes()
{
	app_info info;
	BNode node;
	bool created = false;
	status_t status = GetAppInfo(&info);
	if (status == B_OK)
		status = node.SetTo(&info.ref);
	if (status == B_OK)
		status = ValidateIndex(info.ref.device, created);
	if (status != B_OK) {
		show_alert(kRegistrationAlertText);
		return;
	}
	if (RepairWordServicesAttributes(&node, created) != B_OK) {
		// An executable the user may not write (installed system-wide) keeps
		// the attributes the install wrote; nothing to tell the user.
	}
}

status_t
ZIBapp::ValidateIndex(long device, bool& created)
{
	return ValidateWordServicesIndex(dev_t(device), &created);
}

long
ZIBapp::MakeWordServicesAttribute(BNode* node)
{
	if (WriteWordServicesAttribute(node) != B_OK) {
		// Write errors are not reported; the next start tries again.
	}
	return 0;
}

long
ZIBapp::MakeMenuStringsAttribute(BNode* node)
{
	if (WriteMenuStringsAttributes(node) != B_OK) {
		// Write errors are not reported; the next start tries again.
	}
	return 0;
}

void
ZIBapp::HandleBatchCheck(BMessage* request)
{
	// Served on a looper of its own, so that no client holds the windows;
	// only the application says which window the request is for.
	BMessage forwarded(*request);
	forwarded.RemoveName(ZIBWordServicesServer::kWindowField);
	if (fActiveWindow != nullptr)
		forwarded.AddMessenger(ZIBWordServicesServer::kWindowField, BMessenger(fActiveWindow));
	if (BMessenger(fWordServices).SendMessage(&forwarded, request->ReturnAddress()) != B_OK) {
		// Only when out of memory; the client's request is lost.
	}
}

void
ZIBapp::HandleWordServicesError()
{
	// A client that keeps failing gets one alert at a time, not one each.
	if (fSessionAlertShown)
		return;
	fSessionAlertShown = true;
	(new BAlert(kAlertTitle, kSessionAlertText, "OK", nullptr, nullptr, B_WIDTH_AS_USUAL,
				B_INFO_ALERT))
		->Go(new BInvoker(new BMessage(kMsgSessionAlertClosed), this));
}
