#ifndef IMPORT_REPORT_H
#define IMPORT_REPORT_H

#include <string>
#include <vector>

// What an import did, card by card, so that nothing is lost silently: the
// values cut to fit a field, the properties or columns that have no field,
// the files and cards that could not be read, and the duplicates that were
// not added. The window shows Text() in a report window; the command line
// writes it on standard error.
class ImportReport final {
public:
	// Names one card or row: "cards.vcf, card 3 (Ann Lee)".
	struct Note {
		std::string card;
		std::vector<std::string> cut;
		std::vector<std::string> dropped;
	};

	void AddAdded() { fAdded++; }
	// A card that came in with values cut or items dropped.
	void AddNote(Note note);
	// A file or card that could not be read, with the reason.
	void AddSkipped(const std::string& what, const std::string& reason);
	// A card equal to a record of the book (see ContactImporter).
	void AddDuplicate(const std::string& card, const std::string& record, bool added);

	int Added() const { return fAdded; }
	int Skipped() const { return static_cast<int>(fSkipped.size()); }
	int Duplicates() const { return static_cast<int>(fDuplicates.size()); }
	// Whether every card came in whole: nothing cut, dropped or skipped.
	bool Whole() const { return fNotes.empty() && fSkipped.empty(); }

	// A summary line, then one paragraph per card with something to say.
	std::string Text() const;

private:
	int fAdded = 0;
	std::vector<Note> fNotes;
	std::vector<std::string> fSkipped;
	std::vector<std::string> fDuplicates;
};

#endif // IMPORT_REPORT_H
