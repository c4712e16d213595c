#include "ImportReport.h"

namespace {

std::string
Count(int count, const char* one, const char* many)
{
	return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

void
ImportReport::AddNote(Note note)
{
	if (!note.cut.empty() || !note.dropped.empty())
		fNotes.push_back(std::move(note));
}

void
ImportReport::AddSkipped(const std::string& what, const std::string& reason)
{
	fSkipped.push_back(what + ": " + reason);
}

void
ImportReport::AddDuplicate(const std::string& card, const std::string& record, bool added)
{
	fDuplicates.push_back(card + ": " + (added ? "added although it equals " : "equals ") + record +
						  (added ? "" : "; not added"));
}

std::string
ImportReport::Text() const
{
	std::string text = Count(fAdded, "record added", "records added");
	if (!fNotes.empty())
		text += ", " + Count(static_cast<int>(fNotes.size()), "not whole", "not whole");
	if (!fDuplicates.empty())
		text += ", " + Count(Duplicates(), "duplicate", "duplicates");
	if (!fSkipped.empty())
		text += ", " + Count(Skipped(), "skipped", "skipped");
	text += ".\n";
	for (const Note& note : fNotes) {
		text += "\n" + note.card + "\n";
		for (const std::string& cut : note.cut)
			text += "  cut: " + cut + "\n";
		for (const std::string& dropped : note.dropped)
			text += "  dropped: " + dropped + "\n";
	}
	for (const std::string& duplicate : fDuplicates)
		text += "\nduplicate: " + duplicate + "\n";
	for (const std::string& skipped : fSkipped)
		text += "\nskipped: " + skipped + "\n";
	return text;
}
