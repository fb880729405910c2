// A tab whose process ends (crash, kill) shows it on its button without
// any polling; a healthy tab shows nothing of it.
#include <cstdio>
#include <string>

#include "box/tabs/tab_text.h"
#include "box/tabs/tab_watch.h"
#include "tests/mainwnd/main_window_fixture.h"

namespace tamvelo::test {
namespace {

namespace tabs = tamvelo::tabs;

class EndedTabs : public MainWindowTest {
 protected:
  std::string Text(int index) const { return Tab(index).button->GetTabButton()->GetText().GetData(); }
  std::string ToolTip(int index) const { return Tab(index).button->GetTabButton()->GetToolTip().GetData(); }
};

TEST_F(EndedTabs, AKilledTabIsMarkedOthersAreNot) {
  ASSERT_NE(OpenTab("first"), nullptr);
  ASSERT_NE(OpenTab("second"), nullptr);
  const std::string mark = tabs::kEndedMark;
  ASSERT_TRUE(TerminateProcess(Tab(0).processHandle, 9));
  const ULONGLONG killed = GetTickCount64();
  ASSERT_TRUE(PumpUntil([&] { return Text(0).rfind(mark, 0) == 0; }, 3000));
  // Figure for the report, not a timed assertion.
  std::printf("tab death to its button's mark: %llu ms\n", GetTickCount64() - killed);
  EXPECT_EQ(Text(0), tabs::MarkButtonText(mark, "first"));
  EXPECT_EQ(ToolTip(0), tabs::kEndedToolTip);
  EXPECT_TRUE(Tab(0).ended);
  EXPECT_EQ(Text(1), "second");
  EXPECT_FALSE(Tab(1).ended);

  // Told again, or told about a living tab by someone else: nothing changes.
  PostMessageA(hwnd(), tabs::kMsgTabProcessEnded, Tab(0).processId, 0);
  PostMessageA(hwnd(), tabs::kMsgTabProcessEnded, Tab(1).processId, 0);
  Pump(100);
  EXPECT_EQ(Text(0), tabs::MarkButtonText(mark, "first"));
  EXPECT_EQ(Text(1), "second");
  EXPECT_FALSE(Tab(1).ended);

  // The ended tab still closes like any other.
  strip()->CloseTab(0);
  EXPECT_EQ(TabCount(), 1);
  EXPECT_EQ(Text(0), "second");
}

}  // namespace
}  // namespace tamvelo::test
