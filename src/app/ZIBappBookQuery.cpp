#include "ZIBapp.h"

#include <limits.h>
#include <stdlib.h>
#include <string.h>

#include <AppDefs.h>
#include <Autolock.h>
#include <List.h>
#include <Message.h>
#include <Path.h>

#include "BookChangedQuery.h"
#include "ZIBWindow.h"
#include "ZIBook.h"

void
ZIBapp::HandleBookChangedQuery(BMessage* query)
{
	const char* path = nullptr;
	bool changed = false;
	if (query->FindString(kBookPathField, &path) == B_OK && fWindowList != nullptr) {
		for (int32 i = 0; i < fWindowList->CountItems() && !changed; i++) {
			ZIBWindow* window = static_cast<ZIBWindow*>(fWindowList->ItemAt(i));
			BAutolock lock(window);
			if (!lock.IsLocked() || !window->HasFile() || window->GetThisABook() == nullptr ||
				!window->GetThisABook()->SeeIfDirty())
				continue;
			BPath file(window->GetEntryRef());
			char resolved[PATH_MAX];
			changed = file.InitCheck() == B_OK && realpath(file.Path(), resolved) != nullptr &&
					  strcmp(resolved, path) == 0;
		}
	}
	BMessage reply(B_REPLY);
	reply.AddBool(kBookChangedField, changed);
	query->SendReply(&reply);
}
