#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <AppDefs.h>
#include <Application.h>
#include <ApplicationPrivate.h>
#include <Entry.h>
#include <Message.h>
#include <Path.h>

#include "TestDirectory.h"

namespace {

// Logs the launch as the hooks see it, then quits.
class LaunchApplication : public BApplication {
public:
	LaunchApplication() : BApplication("application/x-vnd.test-launch") {}

	void RefsReceived(BMessage* message) override
	{
		entry_ref ref;
		for (int32 i = 0; message->FindRef("refs", i, &ref) == B_OK; i++)
			fLog.push_back(std::string("ref ") + ref.name);
	}
	void ArgvReceived(int32 argc, char** argv) override
	{
		for (int32 i = 1; i < argc; i++)
			fLog.push_back(std::string("arg ") + argv[i]);
	}
	void ReadyToRun() override
	{
		fLog.push_back("ready");
		fPublished = std::filesystem::exists(PortPath());
		PostMessage(B_QUIT_REQUESTED);
	}

	// Where a running application's port lies (see docs/wire-protocol.md).
	static std::filesystem::path PortPath()
	{
		return std::filesystem::path(getenv("XDG_RUNTIME_DIR")) / "larimo-ports" /
			   ("application%2Fx-vnd.test-launch@" + std::to_string(getpid()));
	}

	std::vector<std::string> fLog;
	bool fPublished = false;
};

class ApplicationLaunch : public TestDirectory {};

// The only test of its executables (one with the GUI event loop, one
// without): one BApplication per process.
TEST_F(ApplicationLaunch, RefsInOrderAndArgumentsComeBeforeReadyToRun)
{
	std::string second = PathOf("b.zib");
	std::string first = PathOf("a.zib");
	std::ofstream(second) << "x";
	std::ofstream(first) << "y";
	BPrivate::set_launch_arguments({"zib", second, "--verbose", first});

	auto* application = new LaunchApplication;
	application->Run();
	EXPECT_EQ(application->fLog,
			  (std::vector<std::string>{"ref b.zib", "ref a.zib", "arg --verbose", "ready"}));
	// Other programs find the running application by its signature; its
	// port goes away when it stops.
	EXPECT_TRUE(application->fPublished);
	EXPECT_FALSE(std::filesystem::exists(LaunchApplication::PortPath()));

	app_info info;
	ASSERT_EQ(application->GetAppInfo(&info), B_OK);
	EXPECT_STREQ(info.signature, "application/x-vnd.test-launch");
	EXPECT_EQ(info.flags & B_LAUNCH_MASK, static_cast<uint32>(B_MULTIPLE_LAUNCH));
	BPath path(&info.ref);
	EXPECT_EQ(std::string(path.Leaf()).rfind("application_", 0), 0u) << path.Leaf();
	delete application;
}

} // namespace
