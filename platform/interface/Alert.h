#ifndef ALERT_H
#define ALERT_H

#include <InterfaceDefs.h>
#include <SupportDefs.h>

#include <functional>
#include <string>
#include <vector>

class BInvoker;

// A message box with up to three buttons, over the desktop's message box.
// A heap object: Go() deletes it.
class BAlert {
public:
	BAlert(const char* title, const char* text, const char* button0, const char* button1 = nullptr,
		   const char* button2 = nullptr, button_width width = B_WIDTH_AS_USUAL,
		   alert_type type = B_INFO_ALERT);
	virtual ~BAlert();

	// Shows the alert and waits until a button is chosen; windows keep
	// painting, but the messages of every looper wait in their queues until
	// the alert is gone, so no handler runs inside the caller's. Answers
	// the button's index, or the index of the button that has B_ESCAPE as
	// its shortcut when the alert is closed otherwise (-1 when none has).
	// Deletes the alert.
	int32 Go();
	// Returns at once; invoker (adopted) is invoked with an int32 "which"
	// added when a button is chosen. Deletes the alert then. B_OK.
	status_t Go(BInvoker* invoker);

	// B_ESCAPE makes the button the one Escape and the close box choose.
	void SetShortcut(int32 index, char key);

	const char* Title() const { return fTitle.c_str(); }
	const char* Text() const { return fText.c_str(); }
	int32 CountButtons() const { return static_cast<int32>(fButtons.size()); }
	const char* ButtonLabel(int32 index) const;
	alert_type Type() const { return fType; }

private:
	void _Show(const std::function<void(int32)>& done, bool modal);

	std::string fTitle;
	std::string fText;
	std::vector<std::string> fButtons;
	alert_type fType;
	int32 fEscapeButton;
};

namespace BPrivate {

// Answers every alert in place of the user while set (tests): Go() then
// returns what responder answers, without showing anything. Null removes
// it. GUI thread only.
void set_alert_responder(std::function<int32(const BAlert&)> responder);

} // namespace BPrivate

#endif // ALERT_H
