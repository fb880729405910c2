// Tabs whose program is missing or does not put its windows into the main
// window: the strip keeps no half-made tab and works with what it got.
#include <string>

#include "tests/mainwnd/open_main_window.h"

namespace tamvelo::test {
namespace {

std::string BinFile(const char* name) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

// Puts the tab program beside the tests aside for one test, with another
// program in its place or none, and back afterwards.
class TabProgramReplaced {
 public:
  explicit TabProgramReplaced(const char* replacement) {
    EXPECT_TRUE(MoveFileExA(program_.c_str(), kept_.c_str(), MOVEFILE_REPLACE_EXISTING));
    if (replacement != nullptr) {
      EXPECT_TRUE(CopyFileA(BinFile(replacement).c_str(), program_.c_str(), FALSE));
    }
  }
  ~TabProgramReplaced() {
    DeleteFileA(program_.c_str());
    MoveFileExA(kept_.c_str(), program_.c_str(), MOVEFILE_REPLACE_EXISTING);
  }

 private:
  const std::string program_ = BinFile("tamvelo-tab.exe");
  const std::string kept_ = program_ + ".kept";
};

using TabStart = OpenMainWindowTest;

TEST_F(TabStart, AProgramThatCannotStartLeavesNoButtonAndNoRecord) {
  TabProgramReplaced missing(nullptr);
  const int controls = strip()->GetCount();
  EXPECT_EQ(OpenTab("game"), nullptr);
  EXPECT_EQ(TabCount(), 0);
  EXPECT_EQ(strip()->GetCount(), controls);
  EXPECT_EQ(strip()->GetCurrentTabIndex(), -1);
}

// A program whose windows stay outside the main window: the record has no
// windows, and selecting, going home and closing still work.
TEST_F(TabStart, ATabWhoseWindowsAreNotFoundStillSelectsAndCloses) {
  TabProgramReplaced outside("stand-in-tab.exe");
  ASSERT_NE(OpenTab("first"), nullptr);
  ASSERT_NE(OpenTab("second"), nullptr);
  ASSERT_EQ(TabCount(), 2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_NE(Tab(i).processId, 0u);
    EXPECT_EQ(Tab(i).tabWindow, nullptr);
    EXPECT_EQ(Tab(i).hostWindow, nullptr);
  }
  strip()->SelectTab(Tab(0).button);
  EXPECT_EQ(strip()->GetCurrentTabIndex(), 0);
  EXPECT_TRUE(window()->IsFullScreenAvailable());
  const DWORD first = Tab(0).processId, second = Tab(1).processId;
  strip()->CloseTabOf(Tab(0).button);
  EXPECT_EQ(TabCount(), 1);
  EXPECT_EQ(strip()->GetCurrentTabIndex(), 0);
  strip()->CloseTab(0);
  EXPECT_EQ(TabCount(), 0);
  EXPECT_TRUE(ProcessEnds(first, 5000));
  EXPECT_TRUE(ProcessEnds(second, 5000));
}

}  // namespace
}  // namespace tamvelo::test
