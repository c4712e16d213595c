#ifndef WINDOW_CONSTANTS_H
#define WINDOW_CONSTANTS_H

#include <SupportDefs.h>

// Commands of the main window: its menus, its list, its column titles,
// its save panel and its dialogs.
const uint32 kMsgFileNew = 'fmnw';
const uint32 kMsgFileOpen = 'fmop';
const uint32 kMsgFileImport = 'fmim';
const uint32 kMsgFileClose = 'fmcl';
const uint32 kMsgFileSave = 'fmsv';
const uint32 kMsgFileSaveAs = 'fmsa';
const uint32 kMsgFileExport = 'fmex';
const uint32 kMsgFileSync = 'fmsy';
const uint32 kMsgFilePrint = 'fmpr';
const uint32 kMsgFileQuit = 'fmqt';
const uint32 kMsgEditUndo = 'edun';
const uint32 kMsgEditCut = 'edct';
const uint32 kMsgEditCopy = 'edcp';
const uint32 kMsgEditPaste = 'edps';
const uint32 kMsgEditClear = 'edcl';
const uint32 kMsgEditSelectAll = 'edsa';
const uint32 kMsgEditRedo = 'edrd';
const uint32 kMsgEditDeselect = 'edds';
const uint32 kMsgSearchFind = 'srfd';
const uint32 kMsgSearchFindNext = 'srfn';
const uint32 kMsgRecordNew = 'emen';
const uint32 kMsgRecordModify = 'emmd';
const uint32 kMsgRecordDelete = 'emdl';
const uint32 kMsgListSelection = 'mlsc';
const uint32 kMsgListInvoke = 'mldc';
const uint32 kMsgSortByField = 'stmu';
const uint32 kMsgViewAll = 'vall';
const uint32 kMsgViewNameEmail = 'vnem';
const uint32 kMsgViewNamePhone = 'vnph';
const uint32 kMsgViewNameAddress = 'vnad';
const uint32 kMsgViewField = 'vmnu';
// "Sort by Language Rules": turns the application's language rules on or off.
const uint32 kMsgViewLanguageRules = 'vlng';
const uint32 kMsgCopyRecord = 'aclp';
const uint32 kMsgCopyAddress = 'acfc';
const uint32 kMsgSendEmail = 'acem';
const uint32 kMsgEnvelope = 'acen';
const uint32 kMsgLetter = 'acml';
const uint32 kMsgMailMerge = 'acmm';
const uint32 kMsgFax = 'acfx';
const uint32 kMsgOpenWebPage = 'acwb';
const uint32 kMsgInfoAbout = 'imab';
const uint32 kMsgInfoTech = 'imts';
const uint32 kMsgInfoWeb = 'imwb';
const uint32 kMsgRedrawList = 'lwrd';
const uint32 kMsgClearList = 'lwcl';
const uint32 kMsgSaveFile = 'SvFl';
const uint32 kMsgFindAgain = 'fsag';

// From the import panel: the files chosen, "refs". From the export panel:
// "directory", "name" and int32 "choice", the format (kExportChoices).
const uint32 kMsgImportFiles = 'fmif';
const uint32 kMsgExportFile = 'fmef';

// From the "Synchronize" dialog: strings "url", "user" and "password".
const uint32 kMsgSyncAccount = 'fmsc';
// From a sync's worker: it has finished.
const uint32 kMsgSyncDone = 'fmsd';

// From the record dialogs: the book was changed, so "Save" follows its
// dirty flag. int64 "serial" names the record added or, with string
// "before" (its record line before), the record changed.
const uint32 kMsgBookChanged = 'lwch';
inline constexpr char kBeforeField[] = "before";
// From the Find dialog: a search step ended. bool "found"; when found, the
// int64 "serial" of the record found, which the list selects and shows.
const uint32 kMsgSearchResult = 'lwsr';
inline constexpr char kFoundField[] = "found";
// From the application: its language rules were turned on or off, so
// "Sort by Language Rules" follows them.
const uint32 kMsgLanguageRulesChanged = 'lwlr';
inline constexpr char kSerialField[] = "serial";

// The project's web page, carried by the Info menu's messages as "URL".
inline constexpr char kMakerWebPage[] = "https://larimo.vornak.example/addressbook/";

#endif // WINDOW_CONSTANTS_H
