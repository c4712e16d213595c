#ifndef PAPER_CHOICE_H
#define PAPER_CHOICE_H

#include <optional>
#include <string>

#include <QPageSize>

// What "Address an Envelope" prints on: an envelope of one of four sizes, or
// a sheet of address labels.
enum class PaperChoice {
	kDL,
	kC5,
	kC6,
	kUS10,
	kL7160, // A4, 3 x 7 labels of 63.5 x 38.1 mm
	k5160,  // US Letter, 3 x 10 labels of 2 5/8 x 1 in
};

inline constexpr PaperChoice kPaperChoices[] = {PaperChoice::kDL,    PaperChoice::kC5,
												PaperChoice::kC6,    PaperChoice::kUS10,
												PaperChoice::kL7160, PaperChoice::k5160};

// The short name the command line and the settings use ("dl", "c5", "c6",
// "us10", "l7160", "5160"), and the label of the envelope dialog.
const char* PaperChoiceName(PaperChoice choice);
const char* PaperChoiceLabel(PaperChoice choice);
// The choice of a short name; none for an unknown name.
std::optional<PaperChoice> PaperChoiceFromName(const std::string& name);

bool IsLabelSheet(PaperChoice choice);

// An envelope's page, landscape (width larger than height), or the label
// sheet's page.
QPageSize PaperPageSize(PaperChoice choice);

// The paper of letters and merged pages: US Letter where the user's locale
// measures in inches, A4 elsewhere.
QPageSize LocalePaperSize();

#endif // PAPER_CHOICE_H
