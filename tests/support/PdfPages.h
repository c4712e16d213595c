#ifndef PDF_PAGES_H
#define PDF_PAGES_H

#include <stdio.h>

#include <regex>
#include <string>
#include <vector>

// The words of a PDF as poppler's pdftotext -bbox places them, in points
// from the top left corner of each page.
struct PdfWord {
	std::string text;
	double left;
	double top;
	double right;
	double bottom;
};

struct PdfPage {
	double width;
	double height;
	std::vector<PdfWord> words;

	// The first word with that text, or null.
	const PdfWord* Find(const std::string& text) const
	{
		for (const PdfWord& word : words) {
			if (word.text == text)
				return &word;
		}
		return nullptr;
	}

	// The page's words joined by spaces, in reading order.
	std::string Text() const
	{
		std::string text;
		for (const PdfWord& word : words)
			text += (text.empty() ? "" : " ") + word.text;
		return text;
	}
};

inline constexpr double kPointsPerMm = 72 / 25.4;

inline std::string
HtmlUnescaped(std::string text)
{
	const std::pair<const char*, const char*> kEntities[] = {
		{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
	for (const auto& [entity, plain] : kEntities) {
		for (size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
			text.replace(at, strlen(entity), plain);
	}
	return text;
}

inline std::vector<PdfPage>
PdfPages(const std::string& pdf)
{
	std::string command = "pdftotext -bbox '" + pdf + "' -";
	FILE* pipe = popen(command.c_str(), "r");
	std::string html;
	char buffer[4096];
	for (size_t count; pipe != nullptr && (count = fread(buffer, 1, sizeof(buffer), pipe)) > 0;)
		html.append(buffer, count);
	if (pipe != nullptr)
		pclose(pipe);

	static const std::regex kItem(
		"<page width=\"([0-9.]+)\" height=\"([0-9.]+)\">|"
		"<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">"
		"([^<]*)</word>");
	std::vector<PdfPage> pages;
	for (std::sregex_iterator item(html.begin(), html.end(), kItem), end; item != end; ++item) {
		const std::smatch& match = *item;
		if (match[1].matched)
			pages.push_back({std::stod(match[1]), std::stod(match[2]), {}});
		else if (!pages.empty())
			pages.back().words.push_back({HtmlUnescaped(match[7]), std::stod(match[3]),
										  std::stod(match[4]), std::stod(match[5]),
										  std::stod(match[6])});
	}
	return pages;
}

#endif // PDF_PAGES_H
