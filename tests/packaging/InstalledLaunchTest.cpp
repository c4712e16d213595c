#include <stdlib.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "PreferenceSet.h"
#include "Preferences.h"
#include "RunningZibmo.h"
#include "TestDirectory.h"

namespace {

// The executable installed under a temporary prefix, started offscreen
// with a book on its command line, as a file manager would start it.
class InstalledLaunch : public TestDirectory {
protected:
	void SetUp() override
	{
		TestDirectory::SetUp();
		fPrefix = fPath / "prefix";
		std::string command = std::string("'") + ZIB_CMAKE_COMMAND + "' --install '" +
							  ZIB_BUILD_DIR + "' --component desktop --prefix '" +
							  fPrefix.string() + "' > /dev/null";
		ASSERT_EQ(system(command.c_str()), 0) << command;
	}

	std::filesystem::path fPrefix;
};

TEST_F(InstalledLaunch, OpensTheFileItIsGivenAndQuitsOnRequest)
{
	// A name with a space, as the README's first start makes it.
	std::filesystem::path book = fPath / "Sample Address Book.zib";
	std::filesystem::copy_file(fPrefix / "share/larimo-addressbook/sample-address-book.zib", book);
	std::string before = ReadFile(book);

	RunningZibmo zibmo((fPrefix / "bin" / "zibmo").string(), {book.string()});
	ASSERT_TRUE(zibmo.WaitReady()) << "the program ended or never answered";
	// Queued behind the launch messages, so the book is open by then.
	EXPECT_EQ(zibmo.Stop(), 0);

	Preferences preferences("x-vnd.vornak-zibmo");
	ASSERT_EQ(preferences.InitCheck(), B_OK);
	PreferenceSet settings(preferences, "settings", true);
	ASSERT_EQ(settings.InitCheck(), B_OK);
	const void* data = nullptr;
	int32 size = 0;
	type_code type = 0;
	ASSERT_EQ(settings.GetData("LastFileSaved", data, size, type), B_OK);
	EXPECT_EQ(std::string(static_cast<const char*>(data)),
			  std::filesystem::canonical(book).string());
	EXPECT_EQ(ReadFile(book), before) << "opening changed the book";
}

} // namespace
