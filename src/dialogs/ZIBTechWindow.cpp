#include "ZIBTechWindow.h"

#include <Message.h>

#include "DialogConstants.h"
#include "WindowConstants.h"

static const char* const kTechText =
	"There are instructions available on the support \nweb page.\n\nWe cannot provide "
	"phone support for the free \nversion.  We will post common questions and \nanswers "
	"on the tech support web page.";

ZIBTechWindow::ZIBTechWindow()
{
	BuildTechText();
	auto* message = new BMessage(kMsgInfoWebPage);
	message->AddString(kUrlField, SupportWebPage().c_str());
	BuildWebButton(message, "Web Page");
}

std::string
ZIBTechWindow::SupportWebPage()
{
	std::string page = kMakerWebPage;
	if (page.empty() || page.back() != '/')
		page += '/';
	return page + "support/";
}

void
ZIBTechWindow::BuildTechText()
{
	BuildInfoText(kTechText, 50);
}
