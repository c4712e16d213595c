#include "VCardReader.h"

#include <mutex>

#include <libebook-contacts/libebook-contacts.h>

#include "ImportReport.h"
#include "InteropText.h"
#include "VCardMapping.h"

namespace {

void
IgnoreLog(const gchar*, GLogLevelFlags, const gchar*, gpointer)
{
}

// The contacts library logs a warning for every oddity of a card on standard
// error; the report names what matters, so the warnings are not shown.
void
SilenceLibraryWarnings()
{
	static std::once_flag once;
	std::call_once(once, [] {
		g_log_set_handler("libebook-contacts",
						  static_cast<GLogLevelFlags>(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE |
													  G_LOG_LEVEL_INFO | G_LOG_LEVEL_DEBUG),
						  IgnoreLog, nullptr);
	});
}

bool
IsQuotedPrintable(std::string_view line)
{
	std::string_view head = line.substr(0, line.find(':'));
	for (size_t i = 0; i + 16 <= head.size(); i++) {
		if (EqualsIgnoringCase(head.substr(i, 16), "QUOTED-PRINTABLE"))
			return true;
	}
	return false;
}

// Whether the line is group.NAME, parameters and value: a name of letters,
// digits, hyphens and dots, parameters whose quotes close before the colon
// that starts the value, and no zero byte (the library reads C strings).
// The library's parser leaks on some lines that fail this.
bool
IsPropertyLine(std::string_view line)
{
	size_t end = line.find_first_of(";:");
	if (end == 0 || end == std::string_view::npos || line.find('\0') != std::string_view::npos)
		return false;
	// Group and name: words of letters, digits and hyphens, none empty.
	char previous = '.';
	for (char byte : line.substr(0, end)) {
		if (byte == '.' && previous == '.')
			return false;
		if (!g_ascii_isalnum(byte) && byte != '-' && byte != '.')
			return false;
		previous = byte;
	}
	if (previous == '.')
		return false;
	bool quoted = false;
	for (char byte : line.substr(end)) {
		if (byte == '"')
			quoted = !quoted;
		else if (byte == ':' && !quoted)
			return true;
	}
	return false;
}

std::string_view
Trimmed(std::string_view line)
{
	while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
		line.remove_suffix(1);
	while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
		line.remove_prefix(1);
	return line;
}

// Cuts the unfolded lines into cards, one draft each.
class CardCutter {
public:
	CardCutter(const std::string& fileName, std::vector<ContactDraft>& drafts, ImportReport& report)
		: fFileName(fileName), fDrafts(drafts), fReport(report)
	{
	}

	void Line(std::string_view line)
	{
		std::string_view trimmed = Trimmed(line);
		if (EqualsIgnoringCase(trimmed, "BEGIN:VCARD")) {
			if (fDepth++ == 0) {
				fNumber++;
				fText = "BEGIN:VCARD\r\n";
				fDropped.clear();
			} else if (fDepth == 2) {
				fDropped.push_back("a card inside the card");
			}
		} else if (EqualsIgnoringCase(trimmed, "END:VCARD")) {
			if (fDepth == 0)
				fStray++;
			else if (--fDepth == 0)
				_Finish();
		} else if (fDepth == 0) {
			if (!trimmed.empty())
				fStray++;
		} else if (fDepth == 1 && !trimmed.empty()) {
			if (!IsPropertyLine(line)) {
				fDropped.push_back("unreadable line " + OneLine(AsUtf8(trimmed.substr(0, 60))));
			} else {
				// The library would turn 8-bit text into replacement
				// characters.
				fText.append(AsUtf8(line));
				fText += "\r\n";
			}
		}
	}

	void End()
	{
		if (fDepth > 0)
			fReport.AddSkipped(_Name(), "the card has no END:VCARD");
		if (fStray > 0)
			fReport.AddSkipped(fFileName, std::to_string(fStray) +
											  (fStray == 1 ? " line" : " lines") +
											  " outside any card");
	}

private:
	std::string _Name() const { return fFileName + ", card " + std::to_string(fNumber); }

	void _Finish()
	{
		fText += "END:VCARD\r\n";
		EVCard* card = e_vcard_new_from_string(fText.c_str());
		ContactDraft draft = VCardMapping::Draft(card);
		bool empty = e_vcard_get_attributes(card) == nullptr;
		g_object_unref(card);
		if (empty && fDropped.empty()) {
			fReport.AddSkipped(_Name(), "the card holds no properties");
			return;
		}
		draft.source = _Name();
		draft.dropped.insert(draft.dropped.begin(), fDropped.begin(), fDropped.end());
		fDrafts.push_back(std::move(draft));
	}

	const std::string& fFileName;
	std::vector<ContactDraft>& fDrafts;
	ImportReport& fReport;
	int fDepth = 0;
	int fNumber = 0;
	int fStray = 0;
	std::string fText;
	std::vector<std::string> fDropped;
};

} // namespace

bool
VCardReader::LooksLikeVCard(std::string_view text)
{
	text = WithoutByteOrderMark(text);
	size_t start = text.find_first_not_of(" \t\r\n");
	return start != std::string_view::npos &&
		   EqualsIgnoringCase(text.substr(start, 11), "BEGIN:VCARD");
}

void
VCardReader::Read(std::string_view text, const std::string& fileName,
				  std::vector<ContactDraft>& drafts, ImportReport& report)
{
	SilenceLibraryWarnings();
	CardCutter cutter(fileName, drafts, report);
	text = WithoutByteOrderMark(text);
	std::string logical;
	bool pending = false;
	while (!text.empty()) {
		// CR LF, LF, or the CR alone of old Mac files end a line.
		size_t end = text.find_first_of("\r\n");
		std::string_view line = text.substr(0, end);
		size_t next = end == std::string_view::npos ? text.size() : end + 1;
		if (end != std::string_view::npos && text[end] == '\r' && next < text.size() &&
			text[next] == '\n')
			next++;
		text.remove_prefix(next);

		if (pending && !logical.empty() && logical.back() == '=' && IsQuotedPrintable(logical)) {
			// A soft line break of QUOTED-PRINTABLE.
			logical.pop_back();
			logical.append(line);
		} else if (pending && !line.empty() && (line[0] == ' ' || line[0] == '\t')) {
			logical.append(line.substr(1));
		} else {
			if (pending)
				cutter.Line(logical);
			logical.assign(line);
			pending = true;
		}
	}
	if (pending)
		cutter.Line(logical);
	cutter.End();
}
