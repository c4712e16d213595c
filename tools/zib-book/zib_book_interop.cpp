// zib-book-interop: the import, export and sync commands of zib-book, which
// zib-book runs with its own arguments. Kept apart so that zib-book's query,
// which a mail program runs at every keystroke, loads no contacts library.

#include <errno.h>
#include <stdio.h>
#include <sys/stat.h>

#include <iostream>
#include <iterator>
#include <string>

#include <Entry.h>
#include <ErrnoStatus.h>
#include <Node.h>
#include <TypeConstants.h>

#include <QCoreApplication>

#include "BookSync.h"
#include "CardDavClient.h"
#include "ContactExporter.h"
#include "ContactImporter.h"
#include "ImportReport.h"
#include "RunningBook.h"
#include "SecretStore.h"
#include "SyncReport.h"
#include "SyncState.h"
#include "ToolCommandLine.h"
#include "ZIBFiles.h"
#include "ZIBook.h"

namespace {

const ZIBFrame kNewBookFrame = {20, 20, 550, 200};

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

// Whether the book at path is open with unsaved changes in the running
// address book; says so on standard error.
bool
RefusedAsUnsaved(const std::string& path)
{
	if (!IsChangedInRunningApp(path.c_str()))
		return false;
	fprintf(stderr,
			"zib-book: %s is open in the address book with unsaved changes; save or close "
			"it there first\n",
			path.c_str());
	return true;
}

// The ref of path, and its records when the file exists.
status_t
ReadIfExists(const std::string& path, entry_ref& ref, ZIBook& book, bool& exists)
{
	status_t status = get_ref_for_path(path.c_str(), &ref);
	if (status != B_OK)
		return status;
	struct stat info;
	exists = stat(path.c_str(), &info) == 0;
	return exists ? ZIBFiles::ReadBook(&ref, &book) : B_OK;
}

int
Import(int argc, char** argv)
{
	Arguments arguments = ParseArguments(argc, argv, {"--format", "--duplicates"});
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
	if (RefusedAsUnsaved(path))
		return 1;
	entry_ref ref;
	ZIBook book(nullptr);
	bool exists = false;
	status_t status = ReadIfExists(path, ref, book, exists);
	if (status != B_OK)
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
	Arguments arguments = ParseArguments(argc, argv, {"--format", "-o", "--output"});
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

// The first line a command writes on its standard output.
bool
PasswordFrom(const std::string& command, std::string& password)
{
	FILE* pipe = popen(command.c_str(), "r");
	if (pipe == nullptr)
		return false;
	char line[1024];
	password = fgets(line, sizeof(line), pipe) != nullptr ? line : "";
	while (!password.empty() && (password.back() == '\n' || password.back() == '\r'))
		password.pop_back();
	return pclose(pipe) == 0;
}

int
Sync(int argc, char** argv)
{
	Arguments arguments = ParseArguments(argc, argv, {"--user", "--password-command"});
	if (!arguments.error.empty())
		return UsageError(arguments.error.c_str());
	if (arguments.operands.empty() || arguments.operands.size() > 2)
		return UsageError("sync needs a book and, the first time, the server's address");
	const std::string& path = arguments.operands[0];
	if (RefusedAsUnsaved(path))
		return 1;
	int qtArgc = 1;
	QCoreApplication application(qtArgc, argv);

	SyncState state(QString::fromStdString(path));
	QString error;
	if (!state.Open(&error)) {
		fprintf(stderr, "zib-book: %s\n", error.toUtf8().constData());
		return 1;
	}
	const QString address =
		arguments.operands.size() > 1 ? QString::fromStdString(arguments.operands[1]) : state.Url();
	if (address.isEmpty())
		return UsageError("the first sync of a book needs the server's address");
	const std::string* userOption = arguments.Option("--user");
	const QString user = userOption != nullptr ? QString::fromStdString(*userOption) : state.User();
	std::string password;
	if (const std::string* command = arguments.Option("--password-command")) {
		if (!PasswordFrom(*command, password)) {
			fprintf(stderr, "zib-book: the password command failed: %s\n", command->c_str());
			return 2;
		}
	} else if (!user.isEmpty()) {
		QString stored;
		if (SecretStore().Lookup(address, user, stored))
			password = stored.toStdString();
	}

	CardDavClient client(user, QString::fromStdString(password));
	QList<CardDavAddressBook> books;
	CardDavResult result = client.Discover(QUrl(address), books);
	if (!result.IsOk()) {
		fprintf(stderr, "zib-book: %s\n", result.message.toUtf8().constData());
		return 3;
	}
	const QUrl url = books.first().url;
	if ((url.toString() != state.Url() || user != state.User()) &&
		!state.SetAccount(url.toString(), user, &error)) {
		fprintf(stderr, "zib-book: %s\n", error.toUtf8().constData());
		return 1;
	}

	entry_ref ref;
	ZIBook book(nullptr);
	bool exists = false;
	status_t status = ReadIfExists(path, ref, book, exists);
	if (status != B_OK)
		return Failure(path, status);
	BookSync sync(&book, &state, &client, url);
	SyncReport report;
	result = sync.Run(report);
	// The book's changes count only once the book holds them.
	if (book.SeeIfDirty() || !exists) {
		status = ZIBFiles::WriteBook(&book, &ref, StoredFrame(ref));
		if (status != B_OK) {
			fputs(report.Text().c_str(), stderr);
			return Failure(path, status);
		}
	}
	const bool committed = sync.Commit(&error);
	fputs(report.Text().c_str(), stderr);
	if (!committed) {
		fprintf(stderr, "zib-book: %s\n", error.toUtf8().constData());
		return 1;
	}
	if (!result.IsOk()) {
		fprintf(stderr, "zib-book: %s\n", result.message.toUtf8().constData());
		return result.kind == CardDavResult::kLocal ? 1 : 3;
	}
	return report.Clean() ? 0 : 1;
}

} // namespace

int
main(int argc, char** argv)
{
	std::string command = argc > 1 ? argv[1] : "";
	if (command == "import")
		return Import(argc, argv);
	if (command == "export")
		return Export(argc, argv);
	if (command == "sync")
		return Sync(argc, argv);
	return UsageError(nullptr);
}
