// Tabs whose program is missing or does not put its windows into the main
// window: the strip keeps no half-made tab and works with what it got.
#include "tests/mainwnd/open_main_window.h"

namespace tamvelo::test {
namespace {

using TabStart = OpenMainWindowTest;

TEST_F(TabStart, AProgramThatCannotStartLeavesNoButtonAndNoRecord) {
  GameTabProgramReplaced missing("no-such-tab-program.exe 1_tamvelo_1_tab");
  const int controls = strip()->GetCount();
  EXPECT_EQ(OpenTab("game"), nullptr);
  EXPECT_EQ(TabCount(), 0);
  EXPECT_EQ(strip()->GetCount(), controls);
  EXPECT_EQ(strip()->GetCurrentTabIndex(), -1);
}

// A program whose windows stay outside the main window: the record has no
// windows, and selecting, going home and closing still work.
TEST_F(TabStart, ATabWhoseWindowsAreNotFoundStillSelectsAndCloses) {
  GameTabProgramReplaced outside("stand-in-tab.exe obey");
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
