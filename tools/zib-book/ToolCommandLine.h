#ifndef TOOL_COMMAND_LINE_H
#define TOOL_COMMAND_LINE_H

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include <SupportDefs.h>

// The command line of zib-book, shared by its executables: zib-book itself
// (query, help, version), zib-book-interop (import, export, sync) and
// zib-book-print (print), which zib-book runs so that a query never loads
// the contacts library or Qt.

extern const char kUsage[];
extern const char kHelp[];

// Prints message and the usage on standard error; answers exit status 2.
int UsageError(const char* message);
// Prints what failed and why on standard error; answers exit status 1.
int Failure(const std::string& what, status_t status);

// The options of a command and its other arguments, in order.
struct Arguments {
	std::vector<std::pair<std::string, std::string>> options;
	std::vector<std::string> operands;
	std::string error;

	// The value of the last use of an option, or null.
	const std::string* Option(const char* name) const;
};

// Reads the arguments after the command (argv[2] on): options from known,
// each with a value ("--format csv" or "--format=csv"), "--" ends the
// options, "-" is an operand.
Arguments ParseArguments(int argc, char** argv, std::initializer_list<const char*> known);

#endif // TOOL_COMMAND_LINE_H
