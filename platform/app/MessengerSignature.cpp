// The BMessenger constructor that finds an application by its signature;
// the rest of the class lives in Messenger.cpp.
#include <Messenger.h>

#include <algorithm>
#include <new>
#include <vector>

#include "MessagePort.h"
#include "MessagePrivate.h"
#include "PortDirectory.h"
#include "TeamPort.h"
#include "WireFrame.h"

BMessenger::BMessenger(const char* signature, team_id team, status_t* _result)
	:
	BMessenger()
{
	status_t result = B_BAD_VALUE;
	if (signature != nullptr && signature[0] != '\0') {
		std::vector<team_id> teams;
		try {
			result = BPrivate::PortDirectory::FindTeams(signature, &teams);
		} catch (const std::bad_alloc&) {
			result = B_NO_MEMORY;
		}
		if (result == B_OK) {
			result = B_NAME_NOT_FOUND;
			BPrivate::TeamPort& port = BPrivate::TeamPort::Default();
			for (team_id candidate : teams) {
				if (team >= 0 && candidate != team)
					continue;
				if (candidate == BPrivate::current_team()) {
					*this = BMessenger(nullptr, port.Application(), &result);
					break;
				}
				// The connection stays open for the messages that follow.
				if (port.Connect(candidate) == B_OK) {
					_SetTo(candidate, BPrivate::kApplicationPort, B_PREFERRED_TOKEN);
					result = B_OK;
					break;
				}
			}
		}
	}
	if (_result != nullptr)
		*_result = result;
}
