#include "SaveFilePanel.h"

#include <FilePanel.h>
#include <Message.h>
#include <Messenger.h>

#include "WindowConstants.h"

SaveFilePanel::SaveFilePanel(BHandler* target)
{
	BMessenger messenger(target);
	BMessage message(kMsgSaveFile);
	fPanel =
		new BFilePanel(B_SAVE_PANEL, &messenger, nullptr, 0, false, &message, nullptr, false, true);
}

SaveFilePanel::~SaveFilePanel()
{
	delete fPanel;
}

void
SaveFilePanel::Show()
{
	fPanel->Show();
}
