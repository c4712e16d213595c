#include "ToolCommandLine.h"

#include <stdio.h>

#include <ErrnoStatus.h>

const char kUsage[] =
	"usage: zib-book import [--format vcard|csv] [--duplicates skip|add] BOOK FILE...\n"
	"       zib-book export [--format vcard3|vcard4|csv] [-o FILE] BOOK\n"
	"       zib-book query [--book BOOK] WORDS...\n"
	"       zib-book sync [--user NAME] [--password-command CMD] BOOK [URL]\n"
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
	"sync    brings BOOK (created when missing) and a CardDAV address book\n"
	"        together: what changed on either side reaches the other. URL is the\n"
	"        server's address or the address book's; it and the user name are\n"
	"        remembered for BOOK. The password is the first line that CMD\n"
	"        writes. The report goes to standard error. Exit 0 when both sides\n"
	"        agree, 1 when a record was changed on both sides or a value was\n"
	"        cut, 3 on a network or server error.\n"
	"print   writes the pages the address book prints for every record of BOOK\n"
	"        into a PDF: the list of all fields, one envelope per record (DL by\n"
	"        default), sheets of address labels (L7160 by default), one letter\n"
	"        per record with the body of --body, or the merge of --template,\n"
	"        whose {Field Name} placeholders are refused unless every one names a\n"
	"        field. --sender names the record whose address is the sender's.\n"
	"\n"
	"A book open with unsaved changes in the running address book is not\n"
	"written. Exit 2 on a usage error.\n";

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

const std::string*
Arguments::Option(const char* name) const
{
	const std::string* found = nullptr;
	for (const auto& [option, value] : options) {
		if (option == name)
			found = &value;
	}
	return found;
}

Arguments
ParseArguments(int argc, char** argv, std::initializer_list<const char*> known)
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
