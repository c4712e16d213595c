#include <chrono>
#include <future>

#include <gtest/gtest.h>

#include "AppHarness.h"
#include "GuiTest.h"
#include "RunningBook.h"
#include "ZIBWindow.h"
#include "ZIBapp.h"
#include "ZIBook.h"

namespace {

class BookChangedQuery : public AppTest {
protected:
	// Asks from another thread, as zib-book does from its process, while
	// the application's loop runs.
	static bool Ask(const std::string& path)
	{
		auto answer =
			std::async(std::launch::async, [path] { return IsChangedInRunningApp(path.c_str()); });
		gui_test::process_until([&answer] {
			return answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
		});
		return answer.get();
	}
};

// zib-book refuses to write a book only while a window has it open with
// unsaved changes.
TEST_F(BookChangedQuery, OnlyAnOpenChangedBookCounts)
{
	std::string path = PathOf("book.zib"), other = PathOf("other.zib");
	WriteBookFile(path, {"bob"});
	WriteBookFile(other, {"ann"});
	std::filesystem::create_symlink(path, PathOf("link.zib"));
	RunApp({path}, [&](ZIBapp* app) {
		EXPECT_FALSE(Ask(path));
		ZIBWindow* window = WindowAt(app, 0);
		window->Lock();
		window->GetThisABook()->SetDirty(true);
		window->Unlock();
		EXPECT_TRUE(Ask(path));
		EXPECT_TRUE(Ask(PathOf("link.zib")));
		EXPECT_FALSE(Ask(other));
		EXPECT_FALSE(Ask(PathOf("missing.zib")));
		window->Lock();
		window->GetThisABook()->SetDirty(false);
		window->Unlock();
	});
}

} // namespace
