// The main window's file operations: open, save, save as, and the sort
// that reorders the book's chain.

#include "ZIBWindow.h"

#include <memory>
#include <string>

#include <Alert.h>
#include <AppDefs.h>
#include <Directory.h>
#include <Entry.h>
#include <ErrnoStatus.h>
#include <MenuItem.h>
#include <Message.h>
#include <Path.h>

#include "ABListView.h"
#include "LanguageCollator.h"
#include "ZIBFiles.h"
#include "ZIBSort.h"
#include "ZIBapp.h"
#include "ZIBook.h"

namespace {

// The full path of ref with symbolic links resolved; empty when it has none.
std::string
ResolvedPath(const entry_ref* ref)
{
	BEntry entry(ref, true);
	BPath path;
	if (entry.GetPath(&path) != B_OK)
		return std::string();
	return path.Path();
}

void
StoreLastFileSaved(const entry_ref* ref)
{
	std::string path = ResolvedPath(ref);
	if (gZIBapp != nullptr && !path.empty())
		gZIBapp->SetLastFileSaved(path.c_str());
}

// keptCopy: where a failed save left a whole copy of the old file, if it did.
void
ShowFileAlert(const char* what, const std::string& path, status_t status,
			  const std::string& keptCopy = std::string())
{
	std::string text = std::string("Could not ") + what + " \"" + path +
					   "\": " + ZIBFiles::StatusText(status) + ".";
	if (!keptCopy.empty())
		text += " Its old contents are kept whole in \"" + keptCopy + "\".";
	(new BAlert("Message", text.c_str(), "OK", nullptr, nullptr, B_WIDTH_AS_USUAL, B_INFO_ALERT))
		->Go();
}

} // namespace

status_t
ZIBWindow::ZIBopen_it(BMessage* message, long)
{
	SetThisABook(new ZIBook(this));
	fMenus.EnableFileMenuItems(false);
	Lock();
	Show();
	Unlock();

	entry_ref ref;
	if (message->FindRef("refs", 0, &ref) != B_OK)
		return B_BAD_VALUE;
	_SetFile(&ref);
	Lock();
	SetTitle(ref.name);
	Unlock();

	// A file that does not exist yet opens as an empty book, which saving
	// creates. One that cannot be read whole is not taken on: saving the
	// part that was read would overwrite the rest.
	status_t status = ZIBFiles::ReadBook(fEntryRef, fBook);
	if (status != B_OK && status != B_ENTRY_NOT_FOUND) {
		ShowFileAlert("open", fFilePath, status);
		_SetFile(nullptr);
		SetThisABook(new ZIBook(this));
		return status;
	}
	fMenus.EnableMenus();
	RedrawList();
	StoreLastFileSaved(fEntryRef);
	ZIBFiles::GetStamp(fEntryRef, &fDiskStamp);
	fBook->SetDirty(false);
	return B_OK;
}

status_t
ZIBWindow::ZIBSaveFile()
{
	if (fBook == nullptr || fEntryRef == nullptr)
		return B_NO_INIT;
	if (!_ConfirmOverwrite())
		return B_CANCELED;
	BRect frame = Frame();
	std::string keptCopy;
	status_t status = ZIBFiles::WriteBook(
		fBook, fEntryRef, ZIBFrame{frame.left, frame.top, frame.right, frame.bottom}, &keptCopy);
	if (status != B_OK) {
		ShowFileAlert("save", fFilePath, status, keptCopy);
		fMenus.SetSaveEnabled(true);
		return status;
	}
	StoreLastFileSaved(fEntryRef);
	ZIBFiles::GetStamp(fEntryRef, &fDiskStamp);
	fBook->SetDirty(false);
	fMenus.SetSaveEnabled(false);
	return B_OK;
}

// Whether another program changed the file since this window read or wrote
// it; *now is its stamp then.
bool
ZIBWindow::_ChangedOnDisk(ZIBFileStamp* now) const
{
	return fEntryRef != nullptr && !fDiskStamp.IsEmpty() &&
		   ZIBFiles::GetStamp(fEntryRef, now) == B_OK && !(*now == fDiskStamp);
}

bool
ZIBWindow::_ConfirmOverwrite()
{
	ZIBFileStamp now;
	if (!_ChangedOnDisk(&now))
		return true;
	std::string text =
		"\"" + fFilePath + "\" was changed by another program. Saving replaces those changes.";
	int32 answer = (new BAlert("Message", text.c_str(), "Save anyway", "Save As...", "Cancel",
							   B_WIDTH_AS_USUAL, B_WARNING_ALERT))
					   ->Go();
	if (answer == 1)
		PostMessage(kMsgFileSaveAs);
	return answer == 0;
}

// A book without unsaved changes can take the file's new contents.
void
ZIBWindow::_OfferReload()
{
	ZIBFileStamp now;
	if (fBook == nullptr || fBook->SeeIfDirty() || !_ChangedOnDisk(&now) || now == fDeclinedStamp)
		return;
	std::string text = "\"" + fFilePath + "\" was changed by another program. Reload it?";
	if ((new BAlert("Message", text.c_str(), "Reload", "Cancel", nullptr, B_WIDTH_AS_USUAL,
					B_INFO_ALERT))
			->Go() != 0) {
		fDeclinedStamp = now;
		return;
	}
	BMessage open(B_REFS_RECEIVED);
	open.AddRef("refs", fEntryRef);
	ZIBopen_it(&open, 0);
}

void
ZIBWindow::ZIBSaveAs(BMessage* message)
{
	fMenus.EnableFileMenuItems(fBook != nullptr && fBook->SeeIfDirty());
	entry_ref directoryRef;
	const char* name = nullptr;
	if (message->FindRef("directory", &directoryRef) != B_OK ||
		message->FindString("name", &name) != B_OK)
		return;
	BDirectory directory(&directoryRef);
	entry_ref ref;
	if (BEntry(&directory, name, false).GetRef(&ref) != B_OK) {
		ShowFileAlert("save", BPrivate::entry_ref_path(&directoryRef) + "/" + name,
					  B_ENTRY_NOT_FOUND);
		return;
	}

	// A failed save keeps the book with the file it had.
	std::unique_ptr<entry_ref> previous(fEntryRef != nullptr ? new entry_ref(*fEntryRef) : nullptr);
	std::string previousTitle = Title();
	_SetFile(&ref);
	SetTitle(name);
	if (ZIBSaveFile() != B_OK) {
		_SetFile(previous.get());
		SetTitle(previousTitle.c_str());
		return;
	}
	// The record commands come on once the book has a file to keep them.
	fMenus.EnableMenus();
	if (fQuitAfterSave)
		PostMessage(B_QUIT_REQUESTED);
}

void
ZIBWindow::_SetFile(const entry_ref* ref)
{
	delete fEntryRef;
	fEntryRef = ref != nullptr ? new entry_ref(*ref) : nullptr;
	fFilePath = ref != nullptr ? ResolvedPath(ref) : std::string();
	if (ref != nullptr && fFilePath.empty())
		fFilePath = BPrivate::entry_ref_path(ref);
	fDiskStamp = fDeclinedStamp = ZIBFileStamp();
}

void
ZIBWindow::GetSortField(BMessage* message)
{
	int32 field = 0;
	message->FindInt32("FieldIndex", &field);
	const LanguageCollator* collator = nullptr;
	if (gZIBapp != nullptr && gZIBapp->GetLanguageRules() &&
		LanguageCollator::User().InitCheck() == B_OK)
		collator = &LanguageCollator::User();
	if (fList != nullptr && SortBook(fBook, static_cast<unsigned short>(field & 0xffff), collator))
		RedrawList();
}
