#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <Entry.h>
#include <TypeConstants.h>

#include "PdfPages.h"
#include "PreferenceSet.h"
#include "Preferences.h"
#include "TestDirectory.h"
#include "ZIBFiles.h"
#include "ZIBook.h"
#include "ABookRecord.h"
#include "CardDavServer.h"

extern char** environ;

namespace {

struct Result {
	int status;
	std::string out;
	std::string err;
};

class ZibBookTest : public TestDirectory {
protected:
	// Runs zib-book with arguments and input on standard input.
	Result Run(const std::vector<std::string>& arguments, const std::string& input = "")
	{
		std::string in = PathOf("stdin"), out = PathOf("stdout"), err = PathOf("stderr");
		Write("stdin", input);
		posix_spawn_file_actions_t actions;
		posix_spawn_file_actions_init(&actions);
		posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
		posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
										 0600);
		posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
										 0600);
		std::vector<char*> argv{const_cast<char*>(ZIB_BOOK_PATH)};
		for (const std::string& argument : arguments)
			argv.push_back(const_cast<char*>(argument.c_str()));
		argv.push_back(nullptr);
		pid_t pid;
		Result result{-1, "", ""};
		if (posix_spawn(&pid, ZIB_BOOK_PATH, &actions, nullptr, argv.data(), environ) == 0) {
			int status = 0;
			waitpid(pid, &status, 0);
			result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
		}
		posix_spawn_file_actions_destroy(&actions);
		result.out = ReadFile(out);
		result.err = ReadFile(err);
		return result;
	}

	void Write(const std::string& name, const std::string& text)
	{
		std::ofstream(PathOf(name), std::ios::binary) << text;
	}

	long RecordCount(const std::string& name)
	{
		entry_ref ref;
		ZIBook book(nullptr);
		if (get_ref_for_path(PathOf(name).c_str(), &ref) != B_OK ||
			ZIBFiles::ReadBook(&ref, &book) != B_OK)
			return -1;
		return book.GetTotalRecordsInThisAB();
	}
};

const char kCards[] = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann Lee\r\nN:Lee;Ann;;;\r\n"
					  "NICKNAME:ann\r\nEMAIL:ann@example.org\r\nEND:VCARD\r\n";

TEST_F(ZibBookTest, ImportReportsOnStandardErrorAndExportWritesEachFormat)
{
	std::string book = PathOf("new.zib");
	Result first = Run({"import", book, "-"}, kCards);
	EXPECT_EQ(first.status, 0) << first.err;
	EXPECT_EQ(first.err, "1 record added.\n");
	EXPECT_EQ(RecordCount("new.zib"), 1);
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(book.c_str(), &ref), B_OK);
	BEntry entry(&ref);
	EXPECT_TRUE(ZIBFiles::IsNickname(&entry));

	Result again = Run({"import", book, "-"}, kCards);
	EXPECT_EQ(again.status, 1);
	EXPECT_NE(again.err.find("standard input, card 1 (Ann Lee <ann@example.org>): equals"),
			  std::string::npos)
		<< again.err;
	EXPECT_EQ(RecordCount("new.zib"), 1);

	Result added = Run({"import", "--duplicates", "add", book, "-"}, kCards);
	EXPECT_EQ(added.status, 0) << added.err;
	EXPECT_EQ(RecordCount("new.zib"), 2);

	Write("cut.csv", "Nickname,Company\nco,A Company Name That Is Far Longer Than Forty\n");
	Write("notes.txt", "nothing to see");
	Result cut = Run({"import", book, PathOf("cut.csv"), PathOf("notes.txt"), PathOf("gone")});
	EXPECT_EQ(cut.status, 1);
	EXPECT_EQ(RecordCount("new.zib"), 3);
	for (const char* item :
		 {"cut: Company", "notes.txt: not a vCard or CSV file", "gone: No such file or directory"})
		EXPECT_NE(cut.err.find(item), std::string::npos) << item << "\n" << cut.err;

	Result csv = Run({"export", book, "--format", "csv"});
	EXPECT_EQ(csv.status, 0);
	EXPECT_EQ(csv.out.substr(0, csv.out.find("\r\n")),
			  "Nickname,First Name,Middle Name,Last Name,Title,Company,Address 1,Address 2,City,"
			  "State,Zip/Postal Code,Country,Phone Number,Cell Number,FAX Number,Email 1,Email 2,"
			  "Web Address,Comments,Comments 2,Birthday");
	EXPECT_EQ(Run({"export", "--format=vcard4", "-o", PathOf("out.vcf"), book}).status, 0);
	EXPECT_EQ(ReadFile(PathOf("out.vcf")).find("BEGIN:VCARD\r\nVERSION:4.0\r\n"), 0u);
	EXPECT_NE(Run({"export", book}).out.find("VERSION:3.0\r\n"), std::string::npos);
	EXPECT_EQ(Run({"export", PathOf("missing.zib")}).status, 1);
}

TEST_F(ZibBookTest, QueryForMailPrograms)
{
	Write("people.csv", "Nickname,First Name,Last Name,Company,Email 1,Email 2\n"
						"ann,Ann,Lee,Acme,ann@example.org,lee@example.org\n"
						"sisy,\xCE\xA3\xCE\xAF\xCF\x83\xCF\x85\xCF\x86\xCE\xBF\xCF\x82,Stra\xC3\x9F"
						"e,,s@example.gr,\n"
						"nomail,Ann,Other,Acme,,\n"
						"kel,\xE2\x84\xAAim,Park,,k@example.org,\n"
						"dot,Ay,Sk\xC4\xB1,,d@example.org,\n");
	std::string book = PathOf("people.zib");
	ASSERT_EQ(Run({"import", book, PathOf("people.csv")}).status, 0);

	Result ann = Run({"query", "--book", book, "ACME", "ann"});
	EXPECT_EQ(ann.status, 0);
	EXPECT_EQ(ann.out, "1 record found in " + book +
						   "\nann@example.org\tAnn Lee\tann\nlee@example.org\tAnn Lee\tann\n");
	// Case ignored beyond ASCII: Greek final sigma, German sharp s, the
	// Kelvin sign; a dotless i is no i.
	const struct {
		const char* word;
		const char* address;
	} kFolded[] = {
		{"\xCE\xA3\xCE\x8A\xCE\xA3\xCE\xA5\xCE\xA6\xCE\x9F\xCE\xA3", "s@example.gr"},
		{"STRASSE", "s@example.gr"},
		{"KIM", "k@example.org"},
		{"ski", nullptr},
		{"nobody", nullptr},
	};
	for (const auto& [word, address] : kFolded) {
		Result folded = Run({"query", "--book", book, word});
		EXPECT_EQ(folded.status, address != nullptr ? 0 : 1) << word;
		if (address != nullptr)
			EXPECT_EQ(folded.out.find(std::string(address) + "\t"), folded.out.find('\n') + 1)
				<< word << folded.out;
		else
			EXPECT_EQ(folded.out, "no match\n") << word;
	}

	// Without --book, the book the address book saved last.
	{
		Preferences preferences("x-vnd.vornak-zibmo");
		PreferenceSet settings(preferences, "settings", true);
		ASSERT_EQ(settings.SetData("LastFileSaved", book.c_str(), book.size() + 1, B_STRING_TYPE),
				  B_OK);
		ASSERT_EQ(settings.Save(), B_OK);
	}
	EXPECT_EQ(Run({"query", "lee"}).status, 0);
}

TEST_F(ZibBookTest, PrintWritesEachStyleIntoAPdf)
{
	std::string book = ZIB_SAMPLE_BOOK;
	std::string pdf = PathOf("out.pdf");
	Write("body.txt", "Thank you for the ferns.\n");
	Write("merge.txt", "{First Name} lives in {City}.");
	struct {
		std::vector<std::string> options;
		size_t pages;
		const char* text; // on the first page
	} kStyles[] = {
		{{"--style", "list"}, 1, "sample-address-book.zib"},
		{{"--style", "envelope", "--size", "us10", "--sender", "MUM"}, 12, "Margaret Eileen Doyle"},
		{{"--style", "labels", "--size", "5160"}, 1, "Kjærgaard"},
		{{"--style", "letter", "--body", PathOf("body.txt")}, 12, "Thank you for the ferns."},
		{{"--style", "merge", "--template", PathOf("merge.txt")}, 12, "Ann lives in Port Aldwin."},
	};
	for (const auto& style : kStyles) {
		std::vector<std::string> arguments{"print", book, "-o", pdf};
		arguments.insert(arguments.end(), style.options.begin(), style.options.end());
		Result result = Run(arguments);
		EXPECT_EQ(result.status, 0) << style.options[1] << result.err;
		std::vector<PdfPage> pages = PdfPages(pdf);
		ASSERT_EQ(pages.size(), style.pages) << style.options[1];
		EXPECT_NE(pages[0].Text().find(style.text), std::string::npos) << pages[0].Text();
		std::filesystem::remove(pdf);
	}

	// Nothing is written for a template with a placeholder of no field, or
	// a sender nobody has.
	Write("bad.txt", "{First Name} {Town}");
	Result bad =
		Run({"print", book, "--style", "merge", "--template", PathOf("bad.txt"), "-o", pdf});
	EXPECT_EQ(bad.status, 1);
	EXPECT_NE(bad.err.find("No field has the name of {Town}."), std::string::npos) << bad.err;
	Result nobody = Run({"print", book, "--style", "letter", "--sender", "nobody", "-o", pdf});
	EXPECT_EQ(nobody.status, 1);
	EXPECT_FALSE(std::filesystem::exists(pdf));
	EXPECT_EQ(Run({"print", book, "--style", "list", "-o", PathOf("none/out.pdf")}).status, 1);
}

TEST_F(ZibBookTest, UsageErrors)
{
	for (std::vector<std::string> arguments : std::vector<std::vector<std::string>>{
			 {},
			 {"frobnicate"},
			 {"import", PathOf("b.zib")},
			 {"export", "--format", "pdf", PathOf("b.zib")},
			 {"query"},
			 {"import", "--duplicates"},
			 {"print", "b.zib", "--style", "poster", "-o", "p.pdf"},
			 {"print", "b.zib", "--style", "labels", "--size", "dl", "-o", "p.pdf"},
			 {"print", "b.zib", "--style", "list", "--size", "c5", "-o", "p.pdf"},
			 {"print", "b.zib", "--style", "merge", "-o", "p.pdf"},
			 {"print", "b.zib", "--style", "list"}})
		EXPECT_EQ(Run(arguments).status, 2) << (arguments.empty() ? "" : arguments[0]);
	Result help = Run({"--help"});
	EXPECT_EQ(help.status, 0);
	EXPECT_NE(help.out.find("zib-book query"), std::string::npos);
}

// Two books meet on one Radicale account; the address and the user are
// remembered; a wrong password is a server error.
TEST_F(ZibBookTest, SyncBringsBooksTogetherThroughAServer)
{
	CardDavServer server;
	std::string error;
	ASSERT_TRUE(server.Start(CardDavServer::kRadicale, fPath / "server", &error)) << error;
	const std::string book = PathOf("book");
	ASSERT_EQ(Run({"import", book, "-"}, kCards).status, 0);
	const std::string password = "--password-command=echo " + server.Password();

	Result first = Run({"sync", "--user", server.User(), password, book, server.Address()});
	EXPECT_EQ(first.status, 0) << first.err;
	EXPECT_NE(first.err.find("On the server: 1 added"), std::string::npos) << first.err;
	Result other =
		Run({"sync", "--user", server.User(), password, PathOf("other"), server.Address()});
	EXPECT_EQ(other.status, 0) << other.err;
	EXPECT_EQ(RecordCount("other"), 1);
	EXPECT_NE(Run({"export", PathOf("other")}).out.find("ann@example.org"), std::string::npos);

	Result again = Run({"sync", password, book});
	EXPECT_EQ(again.status, 0) << again.err;
	EXPECT_NE(again.err.find("In this book: 0 added"), std::string::npos) << again.err;
	Result wrong = Run({"sync", "--password-command=echo nope", book});
	EXPECT_EQ(wrong.status, 3);
	EXPECT_NE(wrong.err.find("refused the password of the user \"alice\""), std::string::npos)
		<< wrong.err;
	EXPECT_EQ(Run({"sync", PathOf("new")}).status, 2);
	EXPECT_EQ(RecordCount("book"), 1);
}

} // namespace
