// zib-book: imports vCard and CSV files into a book file, exports a book,
// and answers the address queries of mail programs, without the window.

#include <errno.h>
#include <limits.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <TypeConstants.h>

#include "AppIdentity.h"
#include "BookQuery.h"
#include "PreferenceSet.h"
#include "Preferences.h"
#include "ToolCommandLine.h"

namespace {

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
	Arguments arguments = ParseArguments(argc, argv, {"--book"});
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

// Runs a helper (zib-book-interop, zib-book-print) with our arguments:
// beside this executable in a build tree, in the package's libexec folder
// when installed.
int
RunHelper(const std::string& name, char** argv)
{
	char self[PATH_MAX];
	ssize_t length = readlink("/proc/self/exe", self, sizeof(self) - 1);
	if (length > 0) {
		self[length] = '\0';
		std::string directory(self, strrchr(self, '/') - self);
		for (const std::string& helper :
			 {directory + "/" + name, directory + "/../" ZIB_LIBEXEC_DIRECTORY "/" + name}) {
			if (access(helper.c_str(), X_OK) == 0) {
				argv[0] = const_cast<char*>(helper.c_str());
				execv(helper.c_str(), argv);
			}
		}
	}
	fprintf(stderr, "zib-book: cannot run %s: %s\n", name.c_str(), strerror(errno));
	return 1;
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
	if (command == "import" || command == "export" || command == "sync")
		return RunHelper("zib-book-interop", argv);
	if (command == "print")
		return RunHelper("zib-book-print", argv);
	if (command == "query")
		return Query(argc, argv);
	return UsageError(("unknown command " + command).c_str());
}
