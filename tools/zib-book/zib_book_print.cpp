// zib-book-print: the print command of zib-book, which zib-book runs with
// its own arguments. Kept apart so that zib-book's query, which a mail
// program runs at every keystroke, loads no Qt.

#include <string>

#include "PrintCommand.h"
#include "ToolCommandLine.h"

int
main(int argc, char** argv)
{
	std::string command = argc > 1 ? argv[1] : "";
	if (command != "print")
		return UsageError(nullptr);
	Arguments arguments = ParseArguments(
		argc, argv, {"--style", "--size", "--template", "--body", "--sender", "-o", "--output"});
	if (!arguments.error.empty())
		return UsageError(arguments.error.c_str());
	if (arguments.operands.size() != 1)
		return UsageError("print needs exactly one book");
	auto option = [&arguments](const char* name) {
		const std::string* value = arguments.Option(name);
		return value != nullptr ? *value : std::string();
	};
	PrintRequest request;
	request.book = arguments.operands[0];
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
