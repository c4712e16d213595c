#include "RunningBook.h"

#include <limits.h>
#include <stdlib.h>

#include <vector>

#include <Message.h>
#include <Messenger.h>

#include "AppIdentity.h"
#include "BookChangedQuery.h"
#include "PortDirectory.h"

namespace {

const bigtime_t kTimeout = 1000000;

} // namespace

bool
IsChangedInRunningApp(const char* path)
{
	char resolved[PATH_MAX];
	if (realpath(path, resolved) == nullptr)
		return false;
	std::vector<team_id> teams;
	if (BPrivate::PortDirectory::FindTeams(kAppIdentity.signature, &teams) != B_OK)
		return false;
	for (team_id team : teams) {
		BMessenger application(kAppIdentity.signature, team);
		if (!application.IsValid())
			continue;
		BMessage query(kMsgIsBookChanged);
		query.AddString(kBookPathField, resolved);
		BMessage reply;
		if (application.SendMessage(&query, &reply, kTimeout, kTimeout) == B_OK &&
			reply.GetBool(kBookChangedField, false))
			return true;
	}
	return false;
}
