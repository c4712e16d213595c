#ifndef DIALOG_CONSTANTS_H
#define DIALOG_CONSTANTS_H

#include <GraphicsDefs.h>
#include <SupportDefs.h>

// Commands the dialogs' buttons send to their own dialog. "Search Again"
// is the main window's kMsgFindAgain ('fsag').
const uint32 kMsgAddRecord = 'eadb';
const uint32 kMsgModifyDone = 'mdad';
const uint32 kMsgEntryCancel = 'ecnb';
const uint32 kMsgFindSearch = 'fsch';
const uint32 kMsgFindAll = 'fall';
const uint32 kMsgFindCancel = 'fcnc';
const uint32 kMsgInfoWebPage = 'awwb';
const uint32 kMsgInfoCancel = 'acnc';
const uint32 kMsgSyncGo = 'sygo';
// To a report window: string "text", its new text.
const uint32 kMsgReportText = 'irtx';
const uint32 kMsgSyncCancel = 'sycn';

// The string field of 'awwb' (and of the main window's 'imwb') that holds
// the address to open.
inline constexpr char kUrlField[] = "URL";

// The background colour of every dialog.
const rgb_color kDialogColor = {216, 216, 216, 255};

#endif // DIALOG_CONSTANTS_H
