#include "PrintCommand.h"

#include <stdio.h>
#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include <QDate>
#include <QGuiApplication>
#include <QLocale>
#include <QPdfWriter>

#include <Entry.h>
#include <ErrnoStatus.h>

#include "ABookRecord.h"
#include "BookSnapshot.h"
#include "EnvelopeLayout.h"
#include "LabelLayout.h"
#include "LetterLayout.h"
#include "ListLayout.h"
#include "MergeLayout.h"
#include "MergeTemplate.h"
#include "PaperChoice.h"
#include "ZIBFiles.h"
#include "ZIBook.h"

namespace {

int
Fail(const std::string& what, const std::string& why)
{
	fprintf(stderr, "zib-book: %s: %s\n", what.c_str(), why.c_str());
	return 1;
}

std::optional<std::string>
ReadText(const std::string& path)
{
	std::ifstream in(path, std::ios::binary);
	if (!in)
		return std::nullopt;
	std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
	if (in.bad())
		return std::nullopt;
	return text;
}

std::string
BookName(const std::string& path)
{
	size_t slash = path.find_last_of('/');
	return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

int
RunPrint(const PrintRequest& request, std::string& usageError)
{
	const std::string& style = request.style;
	if (style != "list" && style != "envelope" && style != "labels" && style != "letter" &&
		style != "merge") {
		usageError = "--style is list, envelope, labels, letter or merge";
		return 2;
	}
	if (request.output.empty()) {
		usageError = "print needs -o FILE.pdf";
		return 2;
	}
	bool labels = style == "labels";
	std::optional<PaperChoice> paper = labels ? PaperChoice::kL7160 : PaperChoice::kDL;
	if (!request.size.empty()) {
		paper = PaperChoiceFromName(request.size);
		if (!labels && style != "envelope") {
			usageError = "--size is for envelopes and labels";
			return 2;
		}
		if (!paper || IsLabelSheet(*paper) != labels) {
			usageError = labels ? "--size for labels is l7160 or 5160"
								: "--size for envelopes is dl, c5, c6 or us10";
			return 2;
		}
	}
	if (style == "merge" && request.templatePath.empty()) {
		usageError = "merge needs --template FILE";
		return 2;
	}

	std::string mergeText;
	std::string body;
	if (!request.templatePath.empty()) {
		std::optional<std::string> text = ReadText(request.templatePath);
		if (!text)
			return Fail(request.templatePath, "cannot be read");
		mergeText = *text;
	}
	if (!request.bodyPath.empty()) {
		std::optional<std::string> text = ReadText(request.bodyPath);
		if (!text)
			return Fail(request.bodyPath, "cannot be read");
		body = *text;
	}
	MergeTemplate mergeTemplate(mergeText);
	if (style == "merge" && !mergeTemplate.Error().empty())
		return Fail(request.templatePath, mergeTemplate.Error());

	entry_ref ref;
	ZIBook book(nullptr);
	status_t status = get_ref_for_path(request.book.c_str(), &ref);
	if (status == B_OK)
		status = ZIBFiles::ReadBook(&ref, &book);
	if (status != B_OK)
		return Fail(request.book, BPrivate::status_text(status));
	BookSnapshot snapshot(book, {});
	const std::vector<const ABookRecord*>& records = snapshot.Records();
	const ABookRecord* sender = snapshot.Nickname(request.sender);
	if (!request.sender.empty() && sender == nullptr)
		return Fail(request.sender, "no record has this nickname");

	// Text needs a QGuiApplication; the offscreen platform needs no display.
	setenv("QT_QPA_PLATFORM", "offscreen", 1);
	int argc = 1;
	char name[] = "zib-book";
	char* argv[] = {name, nullptr};
	QGuiApplication application(argc, argv);

	bool printed = false;
	{
		QPdfWriter writer(QString::fromStdString(request.output));
		writer.setTitle(QString::fromStdString(BookName(request.book)));
		if (style == "list") {
			std::vector<int> fields;
			for (int field = 0; field < kFieldCount; field++)
				fields.push_back(field);
			printed = ListLayout(BookName(request.book), fields).Print(&writer, records);
		} else if (style == "envelope") {
			printed = EnvelopeLayout(*paper, sender).Print(&writer, records);
		} else if (style == "labels") {
			printed = LabelLayout(*paper, 0).Print(&writer, records);
		} else if (style == "letter") {
			QString date = QLocale().toString(QDate::currentDate(), QLocale::LongFormat);
			printed = LetterLayout(sender, date.toStdString(), body, LocalePaperSize())
						  .Print(&writer, records);
		} else {
			printed = MergeLayout(mergeTemplate, LocalePaperSize()).Print(&writer, records);
		}
	}
	if (!printed)
		return Fail(request.output, "cannot be written");
	return 0;
}
