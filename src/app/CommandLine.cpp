#include "CommandLine.h"

#include <inttypes.h>
#include <string.h>

#include "AppIdentity.h"

static const int kExitUsage = 2;
static const int kExitWriteFailed = 1;

static void
print_usage(FILE* stream)
{
	fprintf(stream,
			"usage: %s [FILE...]\n"
			"       %s --help | --version\n",
			kAppExecutableName, kAppExecutableName);
}

static void
print_help(FILE* stream)
{
	print_usage(stream);
	fprintf(stream,
			"\n"
			"%s: keeps contacts in address-book files.\n"
			"\n"
			"With FILE, opens the first file given that exists in a window of its own;\n"
			"the others are left alone. Without one, opens the address book saved last,\n"
			"or a new empty book whose file is named in the save panel.\n"
			"\n"
			"  -h, --help     show this help and exit\n"
			"  -v, --version  show the version and exit\n"
			"\n"
			"The last file saved is remembered in\n"
			"$XDG_CONFIG_HOME/_LP_x-vnd.vornak-zibmo/settings (~/.config when unset).\n"
			"While the program runs, zib-lookup(1) looks up addresses in its books.\n",
			kAppIdentity.longDescription);
}

static void
print_version(FILE* stream)
{
	fprintf(stream,
			"%s\n"
			"%s %" PRIu32 ".%" PRIu32 ".%" PRIu32 " (%s, internal %" PRIu32 ")\n"
			"signature %s\n",
			kAppIdentity.longDescription, kAppIdentity.shortDescription, kAppIdentity.major,
			kAppIdentity.middle, kAppIdentity.minor, kAppIdentity.variety, kAppIdentity.internal,
			kAppIdentity.signature);
}

// Answers the exit code for what was written: output that cannot be
// written (a closed pipe, a full disk) must not look like success.
static int
finish_output(FILE* stream, int exitCode)
{
	if (fflush(stream) != 0 || ferror(stream))
		return kExitWriteFailed;
	return exitCode;
}

bool
HandleCommandLine(int argc, char** argv, int* exitCode, FILE* output, FILE* errors)
{
	for (int i = 1; i < argc && argv[i] != nullptr; i++) {
		const char* argument = argv[i];
		if (strcmp(argument, "--") == 0)
			return false;
		if (strcmp(argument, "--help") == 0 || strcmp(argument, "-h") == 0) {
			print_help(output);
			*exitCode = finish_output(output, 0);
			return true;
		}
		if (strcmp(argument, "--version") == 0 || strcmp(argument, "-v") == 0) {
			print_version(output);
			*exitCode = finish_output(output, 0);
			return true;
		}
		if (strncmp(argument, "--", 2) == 0) {
			fprintf(errors, "%s: unknown option %s\n", kAppExecutableName, argument);
			print_usage(errors);
			*exitCode = kExitUsage;
			return true;
		}
	}
	return false;
}
