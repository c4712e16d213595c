#include <stdlib.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <Handler.h>
#include <Looper.h>
#include <Message.h>
#include <Messenger.h>
#include <fs_index.h>

#include "MessagePrivate.h"
#include "PortDirectory.h"
#include "WireFrame.h"
#include "TestDirectory.h"
#include "WordServicesHarness.h"
#include "RegistrationAttributes.h"
#include "RunningZibmo.h"

namespace {

// Nicknames whose e-mail addresses are longer and shorter than they are.
const std::vector<std::string> kBook = {
	"bob\tBob\tQ\tBuilder\tMr\tFixit Ltd\t1 Main St\tUnit 2\tSpringfield\tIL\t62701\tUSA"
	"\t\t\t\tbob@example.com",
	"al\tAlexander\t\tGreat\t\t\t\t\t\t\t\t\t\t\t\talexander.the.great@macedon.example.org",
	"kimberlyann\tKim\t\tLee\t\t\t\t\t\t\t\t\t\t\t\tk@l.io",
};

// zib-lookup's exit status, standard output and standard error.
struct ToolRun {
	int status;
	std::string out;
	std::string err;
};

// A copy of zibmo in a home of its own, with a book to launch it with.
class ZibmoServer : public TestDirectory {
protected:
	void SetUp() override
	{
		TestDirectory::SetUp();
		fExecutable = PathOf("zibmo");
		std::filesystem::copy_file(ZIBMO_PATH, fExecutable);
		fBook = PathOf("book.zib");
		std::ofstream out(fBook, std::ios::binary);
		for (const std::string& line : kBook)
			out << line << '\n';
		out.close();
		const char type[] = "application/x.vnd-vornak-zibfile";
		ASSERT_GE(BNode(fBook.c_str()).WriteAttr("BEOS:TYPE", 'MIMS', 0, type, sizeof(type)), 0);
	}

	std::unique_ptr<RunningZibmo> Start()
	{
		auto zibmo = std::make_unique<RunningZibmo>(fExecutable, std::vector{fBook});
		EXPECT_TRUE(zibmo->WaitReady());
		return zibmo;
	}

	ToolRun RunLookupTool(const std::string& option, const std::string& input)
	{
		std::ofstream(PathOf("in"), std::ios::binary) << input;
		std::string command = std::string("'") + LOOKUP_TOOL_PATH + "' " + option + " < '" +
							  PathOf("in") + "' > '" + PathOf("out") + "' 2> '" + PathOf("err") +
							  "'";
		int status = system(command.c_str());
		return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(PathOf("out")),
				ReadFile(PathOf("err"))};
	}

	std::string fExecutable;
	std::string fBook;
};

TEST_F(ZibmoServer, LookupToolPrintsRewrittenTextOrEchoesItWhenItFails)
{
	// Nicknames ignore ASCII letter case whatever the locale: under Turkish
	// rules the lower case of 'I' is not 'i'.
	const std::string locales = PathOf("locales");
	std::filesystem::create_directory(locales);
	ASSERT_EQ(system(("localedef -i tr_TR -f UTF-8 '" + locales + "/tr_TR.UTF-8'").c_str()), 0);
	setenv("LOCPATH", locales.c_str(), 1);
	setenv("LC_ALL", "tr_TR.UTF-8", 1);
	auto zibmo = Start();
	const struct {
		const char* option;
		std::string input, output;
	} rows[] = {
		{"--email", "Mail al, BOB and KIMBERLYANN;\nnot bob2 or kim, but bob@al.\n",
		 "Mail alexander.the.great@macedon.example.org, bob@example.com and k@l.io;\n"
		 "not bob2 or kim, but bob@example.com@alexander.the.great@macedon.example.org.\n"},
		{"--postal", "To: bob\tal.",
		 "To: Bob Q Builder \nMr \nFixit Ltd \n1 Main St \nUnit 2 \nSpringfield IL 62701 "
		 "\tAlexander  Great \n \n \n \n \n   ."},
		{"--postal", "", ""},
	};
	for (const auto& row : rows) {
		ToolRun run = RunLookupTool(row.option, row.input);
		EXPECT_EQ(run.status, 0) << run.err;
		EXPECT_EQ(run.out, row.output);
	}
	unsetenv("LC_ALL");
	unsetenv("LOCPATH");
	EXPECT_EQ(zibmo->Stop(), 0);

	// No address book runs now: every failure keeps the text for the editor.
	const std::pair<std::string, const char*> failing[] = {
		{"Mail bob.\n", "no address book is running"},
		{std::string(kWordServicesMaxText, 'a') + "b", "longer than the address book takes"},
		{std::string("bob\0al", 6), "zero byte"},
	};
	for (const auto& [input, error] : failing) {
		ToolRun run = RunLookupTool("--email", input);
		EXPECT_EQ(run.status, 1) << error;
		EXPECT_TRUE(run.out == input) << error;
		EXPECT_NE(run.err.find(error), std::string::npos) << run.err;
	}
	EXPECT_EQ(RunLookupTool("--bogus", "").status, 2);
}

// Keeps every request unanswered, as a client that hangs does.
class SilentText : public BHandler {
public:
	SilentText() : BHandler("silent") {}
	void MessageReceived(BMessage*) override
	{
		fHeld.emplace_back(Looper()->DetachCurrentMessage());
	}

private:
	std::vector<std::unique_ptr<BMessage>> fHeld;
};

// A process of its own that attacks the address book at pid: connections
// far beyond the caps left idle, and a flood of requests that want replies
// on a connection that never reads them. It ends when killed.
pid_t
start_hostile_client(pid_t pid)
{
	std::string path;
	if (BPrivate::PortDirectory::SocketPath(RunningZibmo::kSignature, pid, &path) != B_OK)
		return -1;
	sockaddr_un address;
	size_t length;
	BPrivate::PortDirectory::MakeAddress(path, &address, &length);
	pid_t child = fork();
	if (child != 0)
		return child;
	auto open_connection = [&] {
		int fd = socket(AF_UNIX, SOCK_STREAM, 0);
		connect(fd, reinterpret_cast<sockaddr*>(&address), length);
		return fd;
	};
	for (int i = 0; i < 300; i++)
		open_connection();
	BMessage request('hstl');
	BPrivate::MessagePrivate header(&request);
	header.SetTarget(B_PREFERRED_TOKEN, true);
	header.SetReply(getpid(), 1, B_NULL_TOKEN);
	header.SetReplyRequired(true);
	// Requests to a port that does not exist are answered at once, and
	// fill the socket; then the application's own answers find it full.
	std::string frames;
	for (int i = 0; i < 20000; i++)
		BPrivate::WireFrame::Encode(999999, request, &frames);
	for (int i = 0; i < 500; i++)
		BPrivate::WireFrame::Encode(BPrivate::kApplicationPort, request, &frames);
	int flood = open_connection();
	for (size_t sent = 0; sent < frames.size();) {
		ssize_t done = send(flood, frames.data() + sent, frames.size() - sent, MSG_NOSIGNAL);
		if (done <= 0)
			break;
		sent += done;
	}
	for (;;)
		pause();
}

// While a client's targets stay silent and another process attacks the
// address book, its application looper (that of the windows) answers at
// once.
TEST_F(ZibmoServer, WindowsAnswerWhileHostileClientsConnect)
{
	auto zibmo = Start();
	BMessenger application(RunningZibmo::kSignature);
	auto* client = new ClientLooper({});
	SilentText silent;
	client->AddHandler(&silent);
	client->Run();
	BMessage request(kMsgWordServicesBatch);
	request.AddInt32(kWordServicesIndexField, kWordServicesEmailIndex);
	for (int i = 0; i < 1000; i++)
		request.AddMessenger(kWordServicesTargetField, BMessenger(&silent));
	ASSERT_EQ(application.SendMessage(&request, client), B_OK);
	pid_t hostile = start_hostile_client(zibmo->Pid());
	ASSERT_GT(hostile, 0);

	bigtime_t worst = 0;
	for (int i = 0; i < 30; i++) {
		snooze(50000);
		BMessage reply;
		bigtime_t start = system_time();
		ASSERT_EQ(application.SendMessage('pin?', &reply), B_OK);
		worst = std::max(worst, system_time() - start);
	}
	EXPECT_LT(worst, 100000);
	kill(hostile, SIGKILL);
	waitpid(hostile, nullptr, 0);
	EXPECT_EQ(zibmo->Stop(), 0);
	client->Lock();
	client->RemoveHandler(&silent);
	client->Quit();
}

TEST_F(ZibmoServer, FirstStartRegistersAndLaterStartsWriteNothing)
{
	EXPECT_EQ(Start()->Stop(), 0);
	BNode node(fExecutable.c_str());
	EXPECT_EQ(read_attributes(node), kRegistered);

	// Values no start writes: rewriting an attribute with the same value
	// would not even change the file's ctime.
	Attributes odd = kRegistered;
	odd["WordServicesServer"] = kOddServer;
	odd["Menu String 0"] = kOddString;
	ASSERT_TRUE(write_attributes(&node, odd));
	struct stat before;
	ASSERT_EQ(stat(fExecutable.c_str(), &before), 0);
	index_info index;
	ASSERT_EQ(fs_stat_index(before.st_dev, "WordServicesServer", &index), B_OK);
	EXPECT_EQ(index.type, uint32(B_INT32_TYPE));
	const std::string registry = PathOf("data/larimo-platform/indexes/") +
								 std::to_string(before.st_dev) + "/WordServicesServer";
	struct stat indexBefore;
	ASSERT_EQ(stat(registry.c_str(), &indexBefore), 0);

	EXPECT_EQ(Start()->Stop(), 0);
	struct stat after, indexAfter;
	ASSERT_EQ(stat(fExecutable.c_str(), &after), 0);
	ASSERT_EQ(stat(registry.c_str(), &indexAfter), 0);
	EXPECT_EQ(read_attributes(node), odd);
	EXPECT_EQ(after.st_ctim.tv_sec, before.st_ctim.tv_sec);
	EXPECT_EQ(after.st_ctim.tv_nsec, before.st_ctim.tv_nsec);
	EXPECT_EQ(indexAfter.st_ino, indexBefore.st_ino);
}

TEST_F(ZibmoServer, RegisterToolWritesTheAttributes)
{
	const std::string tool = std::string("'") + REGISTER_TOOL_PATH + "' '";
	BNode node(fExecutable.c_str());
	ASSERT_TRUE(write_attributes(&node, {{"Menu String 1", kOddString}}));
	ASSERT_EQ(system((tool + fExecutable + "'").c_str()), 0);
	EXPECT_EQ(read_attributes(node), kRegistered);
	// A file that cannot take them fails, so the install can warn.
	EXPECT_NE(system((tool + PathOf("none") + "' 2> /dev/null").c_str()), 0);
}

} // namespace
