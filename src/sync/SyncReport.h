#ifndef SYNC_REPORT_H
#define SYNC_REPORT_H

#include <string>
#include <vector>

// What a sync did on each side, and what the user should look at: records
// changed on both sides (kept twice) and values cut to fit a field.
struct SyncReport {
	int addedHere = 0;
	int changedHere = 0;
	int deletedHere = 0;
	int addedThere = 0;
	int changedThere = 0;
	int deletedThere = 0;
	// The local versions added as new records, described.
	std::vector<std::string> conflicts;
	// "Field \"whole value\" to \"cut value\"" per value cut.
	std::vector<std::string> cut;

	// Whether nothing needs the user's attention.
	bool Clean() const { return conflicts.empty() && cut.empty(); }

	// A summary line, then a line per conflict and per cut value.
	std::string Text() const;
};

#endif // SYNC_REPORT_H
