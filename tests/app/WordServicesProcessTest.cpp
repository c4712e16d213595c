#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>

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
#include <Node.h>
#include <TypeConstants.h>
#include <fs_attr.h>
#include <fs_index.h>

#include "TeamPort.h"
#include "TestDirectory.h"
#include "WordServicesHarness.h"
#include "RunningZibmo.h"

namespace {

// Nicknames whose e-mail addresses are longer and shorter than they are.
const std::vector<std::string> kBook = {
	"bob\tBob\tQ\tBuilder\tMr\tFixit Ltd\t1 Main St\tUnit 2\tSpringfield\tIL\t62701\tUSA"
	"\t\t\t\tbob@example.com",
	"al\tAlexander\t\tGreat\t\t\t\t\t\t\t\t\t\t\t\talexander.the.great@macedon.example.org",
	"kimberlyann\tKim\t\tLee\t\t\t\t\t\t\t\t\t\t\t\tk@l.io",
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

	std::string fExecutable;
	std::string fBook;
};

struct LookupRow {
	const char* name;
	const char* option;
	std::string input;
	std::string output;
};

void
PrintTo(const LookupRow& row, std::ostream* stream)
{
	*stream << row.name;
}

class ZibmoLookupTool : public ZibmoServer, public testing::WithParamInterface<LookupRow> {};

TEST_P(ZibmoLookupTool, ToolPrintsRewrittenText)
{
	auto zibmo = Start();
	std::ofstream(PathOf("in"), std::ios::binary) << GetParam().input;
	std::string command = std::string("'") + LOOKUP_TOOL_PATH + "' " + GetParam().option + " < '" +
						  PathOf("in") + "' > '" + PathOf("out") + "' 2> '" + PathOf("err") + "'";
	int status = system(command.c_str());
	EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << ReadFile(PathOf("err"));
	EXPECT_EQ(ReadFile(PathOf("out")), GetParam().output);
	EXPECT_EQ(zibmo->Stop(), 0);
}

INSTANTIATE_TEST_SUITE_P(
	Rows, ZibmoLookupTool,
	testing::Values(
		LookupRow{
			"EmailLongerAndShorter", "--email",
			"Mail al, BOB and kimberlyann;\nnot bob2 or kim, but bob@al.\n",
			"Mail alexander.the.great@macedon.example.org, bob@example.com and k@l.io;\n"
			"not bob2 or kim, but bob@example.com@alexander.the.great@macedon.example.org.\n"},
		LookupRow{"Postal", "--postal", "To: bob\tal.",
				  "To: Bob Q Builder \nMr \nFixit Ltd \n1 Main St \nUnit 2 \nSpringfield IL 62701 "
				  "\tAlexander  Great \n \n \n \n \n   ."},
		LookupRow{"NoWords", "--email", "-- \t,.@ --\n", "-- \t,.@ --\n"},
		LookupRow{"Empty", "--postal", "", ""}),
	[](const auto& info) { return std::string(info.param.name); });

TEST_F(ZibmoServer, LookupToolFailsClearlyWithoutAddressBook)
{
	std::string command =
		std::string("'") + LOOKUP_TOOL_PATH + "' --email < /dev/null 2> '" + PathOf("err") + "'";
	int status = system(command.c_str());
	EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
	EXPECT_NE(ReadFile(PathOf("err")).find("no address book is running"), std::string::npos);
	status = system(
		(std::string("'") + LOOKUP_TOOL_PATH + "' --bogus < /dev/null 2> /dev/null").c_str());
	EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << status;
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

TEST_F(ZibmoServer, SilentTargetIsSkippedAndOthersServed)
{
	auto zibmo = Start();
	auto* client = new ClientLooper({"bob al", "kimberlyann!"});
	SilentText silent;
	client->AddHandler(&silent);
	client->Run();
	ASSERT_EQ(BPrivate::publish_team_port("application/x-vnd.zib-test-client", client), B_OK);

	BMessage request(kMsgWordServicesBatch);
	request.AddInt32(kWordServicesIndexField, kWordServicesEmailIndex);
	request.AddMessenger(kWordServicesTargetField, BMessenger(client->TextAt(0)));
	request.AddMessenger(kWordServicesTargetField, BMessenger(&silent));
	request.AddMessenger(kWordServicesTargetField, BMessenger(client->TextAt(1)));
	ASSERT_EQ(BMessenger(RunningZibmo::kSignature).SendMessage(&request, client), B_OK);
	ASSERT_EQ(acquire_sem_etc(client->Stopped(), 1, B_RELATIVE_TIMEOUT, 20000000), B_OK);

	client->Lock();
	EXPECT_EQ(client->TextAt(0)->Text(), "bob@example.com alexander.the.great@macedon.example.org");
	EXPECT_EQ(client->TextAt(1)->Text(), "k@l.io!");
	client->RemoveHandler(&silent);
	client->Quit();
	BPrivate::unpublish_team_port();
	EXPECT_EQ(zibmo->Stop(), 0);
}

// The registration attributes as the platform stores them: type and bytes.
std::pair<type_code, std::string>
attribute(const BNode& node, const char* name)
{
	attr_info info;
	if (node.GetAttrInfo(name, &info) != B_OK)
		return {0, "(missing)"};
	std::string data(info.size, '\0');
	node.ReadAttr(name, info.type, 0, data.data(), data.size());
	return {info.type, data};
}

TEST_F(ZibmoServer, FirstStartRegistersAndLaterStartsWriteNothing)
{
	EXPECT_EQ(Start()->Stop(), 0);

	BNode node(fExecutable.c_str());
	typedef std::pair<type_code, std::string> Value;
	EXPECT_EQ(attribute(node, "WordServicesServer"),
			  Value(B_INT32_TYPE, std::string("\1\0\0\0", 4)));
	EXPECT_EQ(attribute(node, "Menu String Count"),
			  Value(B_INT32_TYPE, std::string("\2\0\0\0", 4)));
	EXPECT_EQ(attribute(node, "Menu String 0"),
			  Value(B_STRING_TYPE, std::string("Look Up E-Mail Address", 23)));
	EXPECT_EQ(attribute(node, "Menu String 1"),
			  Value(B_STRING_TYPE, std::string("Look Up Postal Address", 23)));

	// Values no start writes: rewriting an attribute with the same value
	// would not even change the file's ctime.
	const Value server(B_INT32_TYPE, std::string("\7\0\0\0", 4));
	const Value menu(B_STRING_TYPE, std::string("x", 2));
	ASSERT_EQ(node.WriteAttr("WordServicesServer", server.first, 0, server.second.data(), 4), 4);
	ASSERT_EQ(node.WriteAttr("Menu String 0", menu.first, 0, menu.second.data(), 2), 2);
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
	EXPECT_EQ(attribute(node, "WordServicesServer"), server);
	EXPECT_EQ(attribute(node, "Menu String 0"), menu);
	EXPECT_EQ(after.st_ctim.tv_sec, before.st_ctim.tv_sec);
	EXPECT_EQ(after.st_ctim.tv_nsec, before.st_ctim.tv_nsec);
	EXPECT_EQ(indexAfter.st_ino, indexBefore.st_ino);
}

TEST_F(ZibmoServer, RegisterToolWritesTheAttributes)
{
	const std::string tool = std::string("'") + REGISTER_TOOL_PATH + "' '";
	BNode node(fExecutable.c_str());
	ASSERT_EQ(node.WriteAttr("Menu String 1", B_STRING_TYPE, 0, "x", 2), 2);
	ASSERT_EQ(system((tool + fExecutable + "'").c_str()), 0);
	EXPECT_EQ(attribute(node, "WordServicesServer").second, std::string("\1\0\0\0", 4));
	EXPECT_EQ(attribute(node, "Menu String Count").second, std::string("\2\0\0\0", 4));
	EXPECT_EQ(attribute(node, "Menu String 0").second, std::string("Look Up E-Mail Address", 23));
	EXPECT_EQ(attribute(node, "Menu String 1").second, std::string("Look Up Postal Address", 23));
	// A file that cannot take them fails, so the install can warn.
	EXPECT_NE(system((tool + PathOf("none") + "' 2> /dev/null").c_str()), 0);
}

} // namespace
