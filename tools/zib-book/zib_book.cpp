// zib-book: imports vCard and CSV files into a book file, exports a book,
// and answers the address queries of mail programs, without the window.

#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>

#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include <Entry.h>
#include <ErrnoStatus.h>
#include <Node.h>
#include <TypeConstants.h>

#include "AppIdentity.h"
#include "BookQuery.h"
#include "ContactExporter.h"
#include "ContactImporter.h"
#include "ImportReport.h"
#include "PreferenceSet.h"
#include "PrintCommand.h"
#include "Preferences.h"
#include "RunningBook.h"
#include "ZIBFiles.h"
#include "ZIBook.h"

namespace {

const char kUsage[] =
	"usage: zib-book import [--format vcard|csv] [--duplicates skip|add] BOOK FILE...\n"
	"       zib-book export [--format vcard3|vcard4|csv] [-o FILE] BOOK\n"
	"       zib-book query [--book BOOK] WORDS...\n"
	"       zib-book print BOOK --style list|envelope|labels|letter|merge\n"
	"                [--size dl|c5|c6|us10|l7160|5160] [--template FILE] [--body FILE]\n"
	"                [--sender NICKNAME] -o FILE.pdf\n"
	"       zib-book --help | --version\n";

const char kHelp[] =
	"\n"
	"import  adds the records of vCard or CSV files (FILE - is standard input) to\n"
	"        BOOK, creating it when missing, and reports on standard error every\n"
	"        value cut, item dropped, card skipped and duplicate left out.\n"
	"        Exit 0 when every card came in whole, 1 otherwise.\n"
	"export  writes every record of BOOK as vCard 3.0 (the default), vCard 4.0\n"
	"        or CSV to FILE or standard output.\n"
	"query   for mail programs: a line that says how many records were found,\n"
	"        then address, tab, name, tab, nickname for each e-mail address of\n"
	"        every record whose nickname, names, company or e-mail addresses\n"
	"        contain all WORDS (case ignored). BOOK defaults to the book the\n"
	"        address book saved last. Exit 1 with \"no match\" when none.\n"
	"print   writes the pages the address book prints for every record of BOOK\n"
	"        into a PDF: the list of all fields, one envelope per record (DL by\n"
	"        default), sheets of address labels (L7160 by default), one letter\n"
	"        per record with the body of --body, or the merge of --template,\n"
	"        whose {Field Name} placeholders are refused unless every one names a\n"
	"        field. --sender names the record whose address is the sender's.\n"
	"\n"
	"A book open with unsaved changes in the running address book is not\n"
	"written. Exit 2 on a usage error.\n";

const ZIBFrame kNewBookFrame = {20, 20, 550, 200};

int
UsageError(const char* message)
{
	if (message != nullptr)
		fprintf(stderr, "zib-book: %s\n", message);
	fputs(kUsage, stderr);
	return 2;
}

int
Failure(const std::string& what, status_t status)
{
	fprintf(stderr, "zib-book: %s: %s\n", what.c_str(), BPrivate::status_text(status));
	return 1;
}

// The options of a command and its other arguments, in order.
struct Arguments {
	std::vector<std::pair<std::string, std::string>> options;
	std::vector<std::string> operands;
	std::string error;

	const std::string* Option(const char* name) const
	{
		const std::string* found = nullptr;
		for (const auto& [option, value] : options) {
			if (option == name)
				found = &value;
		}
		return found;
	}
};

Arguments
Parse(int argc, char** argv, std::initializer_list<const char*> known)
{
	Arguments arguments;
	bool optionsEnd = false;
	for (int i = 2; i < argc; i++) {
		std::string argument = argv[i];
		if (optionsEnd || argument == "-" || argument.empty() || argument[0] != '-') {
			arguments.operands.push_back(argument);
			continue;
		}
		if (argument == "--") {
			optionsEnd = true;
			continue;
		}
		std::string value;
		size_t equals = argument.find('=');
		bool inlineValue = argument.rfind("--", 0) == 0 && equals != std::string::npos;
		if (inlineValue) {
			value = argument.substr(equals + 1);
			argument.resize(equals);
		}
		bool listed = false;
		for (const char* name : known)
			listed = listed || argument == name;
		if (!listed) {
			arguments.error = "unknown option " + argument;
			return arguments;
		}
		if (!inlineValue) {
			if (i + 1 >= argc) {
				arguments.error = argument + " needs a value";
				return arguments;
			}
			value = argv[++i];
		}
		arguments.options.emplace_back(argument, value);
	}
	return arguments;
}

std::string
ReadStandardInput()
{
	return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
}

// The frame stored on the book, so that writing it keeps where its window
// opens; a new book gets the frame of a new book's window.
ZIBFrame
StoredFrame(const entry_ref& ref)
{
	ZIBFrame frame = kNewBookFrame;
	float values[4];
	BNode node(&ref);
	if (node.InitCheck() == B_OK &&
		node.ReadAttr(kFrameAttribute, B_RECT_TYPE, 0, values, sizeof(values)) ==
			static_cast<ssize_t>(sizeof(values)))
		frame = {values[0], values[1], values[2], values[3]};
	return frame;
}

int
Import(int argc, char** argv)
{
	Arguments arguments = Parse(argc, argv, {"--format", "--duplicates"});
	if (!arguments.error.empty())
		return UsageError(arguments.error.c_str());
	if (arguments.operands.size() < 2)
		return UsageError("import needs a book and at least one file");
	ImportFormat format = ImportFormat::kDetect;
	if (const std::string* name = arguments.Option("--format")) {
		if (*name == "vcard")
			format = ImportFormat::kVCard;
		else if (*name == "csv")
			format = ImportFormat::kCsv;
		else
			return UsageError("--format is vcard or csv");
	}
	bool addDuplicates = false;
	if (const std::string* choice = arguments.Option("--duplicates")) {
		if (*choice != "add" && *choice != "skip")
			return UsageError("--duplicates is skip or add");
		addDuplicates = *choice == "add";
	}

	const std::string& path = arguments.operands[0];
	if (IsChangedInRunningApp(path.c_str())) {
		fprintf(stderr,
				"zib-book: %s is open in the address book with unsaved changes; save or close "
				"it there first\n",
				path.c_str());
		return 1;
	}
	entry_ref ref;
	status_t status = get_ref_for_path(path.c_str(), &ref);
	if (status != B_OK)
		return Failure(path, status);
	ZIBook book(nullptr);
	struct stat info;
	bool exists = stat(path.c_str(), &info) == 0;
	if (exists && (status = ZIBFiles::ReadBook(&ref, &book)) != B_OK)
		return Failure(path, status);

	ImportReport report;
	ContactImporter importer(&book, addDuplicates);
	for (size_t i = 1; i < arguments.operands.size(); i++) {
		const std::string& file = arguments.operands[i];
		if (file == "-")
			importer.ImportText(ReadStandardInput(), "standard input", format, report);
		else
			importer.ImportFile(file, format, report);
	}
	if (book.SeeIfDirty() || !exists) {
		status = ZIBFiles::WriteBook(&book, &ref, StoredFrame(ref));
		if (status != B_OK) {
			fputs(report.Text().c_str(), stderr);
			return Failure(path, status);
		}
	}
	fputs(report.Text().c_str(), stderr);
	bool duplicatesLeftOut = report.Duplicates() > 0 && !addDuplicates;
	return report.Whole() && !duplicatesLeftOut ? 0 : 1;
}

int
Export(int argc, char** argv)
{
	Arguments arguments = Parse(argc, argv, {"--format", "-o", "--output"});
	if (!arguments.error.empty())
		return UsageError(arguments.error.c_str());
	if (arguments.operands.size() != 1)
		return UsageError("export needs exactly one book");
	ExportFormat format = ExportFormat::kVCard30;
	if (const std::string* name = arguments.Option("--format")) {
		if (*name == "vcard4")
			format = ExportFormat::kVCard40;
		else if (*name == "csv")
			format = ExportFormat::kCsv;
		else if (*name != "vcard3" && *name != "vcard")
			return UsageError("--format is vcard3, vcard4 or csv");
	}
	const std::string* output = arguments.Option("-o");
	if (output == nullptr)
		output = arguments.Option("--output");

	const std::string& path = arguments.operands[0];
	entry_ref ref;
	status_t status = get_ref_for_path(path.c_str(), &ref);
	ZIBook book(nullptr);
	if (status == B_OK)
		status = ZIBFiles::ReadBook(&ref, &book);
	if (status != B_OK)
		return Failure(path, status);
	std::string text = ContactExporter::Text(ContactExporter::AllRecords(book), format);
	if (output == nullptr || *output == "-") {
		if (fwrite(text.data(), 1, text.size(), stdout) != text.size() || fflush(stdout) != 0)
			return Failure("standard output", BPrivate::status_for_errno(errno));
		return 0;
	}
	status = ContactExporter::WriteFile(text, output->c_str());
	return status == B_OK ? 0 : Failure(*output, status);
}

// "LastFileSaved" of the address book's settings; empty when there is none.
std::string
LastFileSaved()
{
	Preferences preferences("x-vnd.vornak-zibmo");
	PreferenceSet settings(preferences, "settings", true);
	const void* data = nullptr;
	int32 size = 0;
	type_code type = 0;
	if (settings.InitCheck() != B_OK ||
		settings.GetData("LastFileSaved", data, size, type) != B_OK || type != B_STRING_TYPE ||
		size < 1)
		return std::string();
	const char* text = static_cast<const char*>(data);
	return std::string(text, strnlen(text, size));
}

int
Query(int argc, char** argv)
{
	Arguments arguments = Parse(argc, argv, {"--book"});
	if (!arguments.error.empty())
		return UsageError(arguments.error.c_str());
	if (arguments.operands.empty())
		return UsageError("query needs at least one word");
	std::string path;
	if (const std::string* book = arguments.Option("--book"))
		path = *book;
	else
		path = LastFileSaved();
	if (path.empty()) {
		fprintf(stderr, "zib-book: no book saved yet; name one with --book\n");
		return 1;
	}

	std::vector<BookQuery::Match> matches;
	int records = 0;
	status_t status = BookQuery(arguments.operands).Run(path.c_str(), matches, records);
	if (status != B_OK)
		return Failure(path, status);
	if (matches.empty()) {
		puts("no match");
		return 1;
	}
	std::string out = std::to_string(records) + (records == 1 ? " record" : " records") +
					  " found in " + path + "\n";
	for (const BookQuery::Match& match : matches)
		out += match.address + '\t' + match.name + '\t' + match.nickname + '\n';
	fwrite(out.data(), 1, out.size(), stdout);
	return fflush(stdout) == 0 ? 0 : 1;
}

int
Print(int argc, char** argv)
{
	Arguments arguments = Parse(
		argc, argv, {"--style", "--size", "--template", "--body", "--sender", "-o", "--output"});
	if (!arguments.error.empty())
		return UsageError(arguments.error.c_str());
	if (arguments.operands.size() != 1)
		return UsageError("print needs exactly one book");
	PrintRequest request;
	request.book = arguments.operands[0];
	auto option = [&arguments](const char* name) {
		const std::string* value = arguments.Option(name);
		return value != nullptr ? *value : std::string();
	};
	request.style = option("--style");
	request.size = option("--size");
	request.templatePath = option("--template");
	request.bodyPath = option("--body");
	request.sender = option("--sender");
	request.output = arguments.Option("-o") != nullptr ? option("-o") : option("--output");
	std::string usageError;
	int status = RunPrint(request, usageError);
	return usageError.empty() ? status : UsageError(usageError.c_str());
}

} // namespace

int
main(int argc, char** argv)
{
	if (argc < 2)
		return UsageError(nullptr);
	std::string command = argv[1];
	if (command == "--help" || command == "-h") {
		printf("%s%s", kUsage, kHelp);
		return 0;
	}
	if (command == "--version") {
		printf("zib-book %s (%s)\n", ZIB_VERSION, kAppIdentity.longDescription);
		return 0;
	}
	if (command == "import")
		return Import(argc, argv);
	if (command == "export")
		return Export(argc, argv);
	if (command == "query")
		return Query(argc, argv);
	if (command == "print")
		return Print(argc, argv);
	return UsageError(("unknown command " + command).c_str());
}
