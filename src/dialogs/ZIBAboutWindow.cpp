#include "ZIBAboutWindow.h"

#include <Message.h>

#include "DialogConstants.h"
#include "WindowConstants.h"

static const char* const kAboutText = "Larimo Address Book DIDE\n"
									  "Version 1.0z17 March 30, 1999\n"
									  "Copyright 1999 Vornak Software\n"
									  "\n"
									  "This may be an outdated version of the\n"
									  "program. Please visit our web page for\n"
									  "the latest version, and to read about\n"
									  "what is coming in the versions we are\n"
									  "working on now.";

ZIBAboutWindow::ZIBAboutWindow()
{
	BuildAboutText();
	auto* message = new BMessage(kMsgInfoWebPage);
	message->AddString(kUrlField, kMakerWebPage);
	BuildWebButton(message, "Web Page");
}

void
ZIBAboutWindow::BuildAboutText()
{
	BuildInfoText(kAboutText, 40);
}
