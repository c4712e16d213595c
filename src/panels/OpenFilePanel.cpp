#include "OpenFilePanel.h"

#include <FilePanel.h>
#include <Message.h>
#include <Messenger.h>

#include <AppDefs.h>

OpenFilePanel::OpenFilePanel(BHandler* target)
{
	BMessenger messenger(target);
	BMessage message(B_REFS_RECEIVED);
	fPanel =
		new BFilePanel(B_OPEN_PANEL, &messenger, nullptr, 0, false, &message, nullptr, false, true);
}

OpenFilePanel::~OpenFilePanel()
{
	delete fPanel;
}

void
OpenFilePanel::Show()
{
	fPanel->Show();
}
