#ifndef PRINT_COMMAND_H
#define PRINT_COMMAND_H

#include <string>

// zib-book print: the pages the address book prints, for every record of a
// book, written into a PDF file on the offscreen platform.
struct PrintRequest {
	std::string book;
	std::string style; // list, envelope, labels, letter or merge
	std::string size;  // dl, c5, c6, us10, l7160, 5160; empty for the default
	std::string templatePath;
	std::string bodyPath;
	std::string sender; // a nickname; empty for none
	std::string output;
};

// Answers the process's exit status: 0 when the PDF was written, 1 when the
// book, a file or the template was refused (reported on standard error), 2
// for a request that makes no sense (reported, with usage to follow).
int RunPrint(const PrintRequest& request, std::string& usageError);

#endif // PRINT_COMMAND_H
