#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <Handler.h>
#include <Looper.h>
#include <Message.h>
#include <Messenger.h>
#include <OS.h>
#include <Node.h>
#include <TypeConstants.h>
#include <fs_attr.h>
#include <fs_index.h>

#include "TestDirectory.h"
#include "WordServicesHarness.h"
#include "RunningZibmo.h"

namespace {

// The Word Services registration attributes of a node as (type, bytes),
// absent when missing.
using Attribute = std::pair<type_code, std::string>;
using Attributes = std::map<std::string, std::optional<Attribute>>;

// What a start writes on a node that has none (int32s little-endian).
const Attributes kRegistered{
	{"WordServicesServer", Attribute{B_INT32_TYPE, std::string("\1\0\0\0", 4)}},
	{"Menu String Count", Attribute{B_INT32_TYPE, std::string("\2\0\0\0", 4)}},
	{"Menu String 0", Attribute{B_STRING_TYPE, std::string("Look Up E-Mail Address", 23)}},
	{"Menu String 1", Attribute{B_STRING_TYPE, std::string("Look Up Postal Address", 23)}}};
// Values no start writes.
const Attribute kOddServer{B_INT32_TYPE, std::string("\7\0\0\0", 4)};
const Attribute kOddString{B_STRING_TYPE, std::string("x", 2)};

Attributes
read_attributes(const BNode& node)
{
	Attributes attributes;
	for (const auto& [name, value] : kRegistered) {
		attr_info info;
		attributes[name] = std::nullopt;
		std::string data;
		if (node.GetAttrInfo(name.c_str(), &info) == B_OK) {
			data.resize(info.size);
			if (node.ReadAttr(name.c_str(), info.type, 0, data.data(), data.size()) == info.size)
				attributes[name] = Attribute(info.type, data);
		}
	}
	return attributes;
}

bool
write_attributes(BNode* node, const Attributes& attributes)
{
	bool written = true;
	for (const auto& [name, value] : attributes) {
		if (value.has_value())
			written &= node->WriteAttr(name.c_str(), value->first, 0, value->second.data(),
									   value->second.size()) >= 0;
	}
	return written;
}

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

// While a client's targets stay silent, the application looper (that of
// the windows) answers at once. Connections beyond the caps and peers that
// stop reading: the transport tests.
TEST_F(ZibmoServer, WindowsAnswerWhileAClientsTargetsStaySilent)
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

	bigtime_t worst = 0;
	for (int i = 0; i < 30; i++) {
		snooze(50000);
		BMessage reply;
		bigtime_t start = system_time();
		ASSERT_EQ(application.SendMessage('pin?', &reply), B_OK);
		worst = std::max(worst, system_time() - start);
	}
	EXPECT_LT(worst, 100000);
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

	// Values no start writes: a later start keeps them.
	Attributes odd = kRegistered;
	odd["WordServicesServer"] = kOddServer;
	odd["Menu String 0"] = kOddString;
	ASSERT_TRUE(write_attributes(&node, odd));
	struct stat before;
	ASSERT_EQ(stat(fExecutable.c_str(), &before), 0);
	index_info index;
	ASSERT_EQ(fs_stat_index(before.st_dev, "WordServicesServer", &index), B_OK);
	EXPECT_EQ(index.type, uint32(B_INT32_TYPE));

	EXPECT_EQ(Start()->Stop(), 0);
	EXPECT_EQ(read_attributes(node), odd);
}

} // namespace
