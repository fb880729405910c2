// Starting tabs never holds the main window: the button and the body show
// that the game opens until its window joins; a tab whose program is
// missing or never joins stops and can be reopened; closing or quitting
// while tabs start leaves nothing running.
#include <string>

#include "box/tabs/tab_life.h"
#include "box/tabs/tab_watcher.h"
#include "tests/mainwnd/open_main_window.h"
#include "tests/support/box_process.h"

namespace tamvelo::test {
namespace {

class TabStart : public OpenMainWindowTest {
 protected:
  std::string Text(int index) const { return Tab(index).button->GetTabButton()->GetText().GetData(); }
  std::string ToolTip(int index) const { return Tab(index).button->GetTabButton()->GetToolTip().GetData(); }
  DuiLib::CControlUI* Control(const char* name) const { return window()->GetPaintManager()->FindControl(name); }
  bool PageShown(const char* name) const {
    auto* pages = static_cast<DuiLib::CTabLayoutUI*>(Control("body_main_tablayout"));
    return pages->GetCurSel() == pages->GetItemIndex(Control(name));
  }
  tabs::TabStage Stage(int index) const { return Tab(index).life.stage(); }
  // Bounds far below the product's, so that a tab that never joins stops
  // within the test.
  void ShortenStartLimits() {
    tabs::TabTimes times = strip()->Watcher().times();
    times.startLimitMs = 1500;
    times.recordLimitMs = 1000;
    strip()->Watcher().SetTimes(times);
  }
  // While a tab is stuck, the window takes a posted click (the home tab)
  // and a posted system command (close: it hides). A liveness bound, far
  // above the few milliseconds this takes, not a measure of speed.
  void ExpectResponsive() {
    const ULONGLONG start = GetTickCount64();
    PostClick(hwnd(), Control("maintab"));
    PostMessageA(hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(PumpUntil([&] { return strip()->GetCurrentTabIndex() < 0 && window()->IsHidden(); }, 3000));
    EXPECT_LT(GetTickCount64() - start, 3000u);
    window()->RestoreMainWindow();
  }
};

TEST_F(TabStart, ANewTabShowsThatItOpensThenItsGame) {
  ASSERT_NE(strip()->OpenGameTab("game", true, "http://127.0.0.1/game/1.html"), nullptr);
  ASSERT_EQ(TabCount(), 1);
  EXPECT_EQ(strip()->GetCurrentTabIndex(), 0);
  EXPECT_EQ(Stage(0), tabs::TabStage::Starting);
  EXPECT_EQ(Text(0), "正在打开…");
  EXPECT_EQ(ToolTip(0), "game");
  EXPECT_TRUE(PageShown("page_starting"));
  EXPECT_FALSE(Control("body_main_left")->IsVisible()) << "the page takes the game's whole place";
  EXPECT_FALSE(window()->IsFullScreenAvailable());

  ASSERT_TRUE(PumpUntil([&] { return Stage(0) == tabs::TabStage::Running; }, 15000));
  EXPECT_FALSE(PageShown("page_starting"));
  EXPECT_TRUE(Control("body_main_left")->IsVisible());
  EXPECT_TRUE(TabShown(0));
  EXPECT_EQ(Text(0), "game");
  EXPECT_EQ(ToolTip(0), "game");
  EXPECT_TRUE(window()->IsFullScreenAvailable());
}

// The program missing, one that is never idle, one that is idle but never
// takes its record: each tab stops, says why, and its process is gone. The
// box answers while they are stuck, and "重新打开" tries again.
TEST_F(TabStart, TabsThatNeverJoinStopSayWhyAndCanBeReopened) {
  struct Case {
    const char* program;
    const char* line;
  };
  const Case cases[] = {
      {"no-such-tab-program.exe 1_tamvelo_1_tab", "游戏无法启动，可以重新打开本游戏"},
      {"stand-in-tab.exe never-idle", "游戏长时间没有打开，已经结束，可以重新打开本游戏"},
      {"stand-in-tab.exe follow-mute", "游戏长时间没有打开，已经结束，可以重新打开本游戏"},
  };
  ShortenStartLimits();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program);
    GameTabProgramReplaced program(c.program);
    ASSERT_NE(strip()->OpenGameTab("game", true, "http://127.0.0.1/game/1.html"), nullptr);
    ExpectResponsive();
    strip()->SelectTab(Tab(0).button);
    ASSERT_TRUE(PumpUntil([&] { return Tab(0).ended(); }, 10000));
    const DWORD processId = Tab(0).processId;
    EXPECT_EQ(Text(0), "(已停止)game");
    EXPECT_EQ(ToolTip(0), "游戏已停止运行");
    EXPECT_TRUE(PageShown("page_stopped"));
    EXPECT_STREQ(Control("stopped_line")->GetText(), c.line);
    EXPECT_FALSE(window()->IsFullScreenAvailable());
    if (processId != 0) {
      EXPECT_TRUE(ProcessEnds(processId, 3000));
    }

    ASSERT_TRUE(strip()->ReopenTab(0));
    ASSERT_TRUE(PumpUntil([&] { return Tab(0).ended(); }, 10000)) << "stops again";
    EXPECT_TRUE(PageShown("page_stopped"));
    strip()->CloseTab(0);
    ASSERT_TRUE(strip()->Watcher().WaitUntilIdle(10000));
  }
}

TEST_F(TabStart, ClosingOrQuittingWhileTabsStartLeavesNothingRunning) {
  GameTabProgramReplaced never("stand-in-tab.exe never-idle");
  const auto noTabProcess = [] { return ChildProcesses(GetCurrentProcessId(), "stand-in-tab.exe").empty(); };
  ASSERT_NE(strip()->OpenGameTab("game", true, "http://127.0.0.1/game/1.html"), nullptr);
  ASSERT_TRUE(PumpUntil([&] { return !noTabProcess(); }, 5000)) << "its process started";
  const std::uint32_t launch = Tab(0).life.launchId();
  strip()->CloseTab(0);
  EXPECT_EQ(TabCount(), 0);
  EXPECT_TRUE(PumpUntil(noTabProcess, 5000));
  // News of the closed tab's start, from anyone: nothing to change.
  PostMessageA(hwnd(), tabs::kMsgTabStartDone, launch, 0);
  Pump(100);
  EXPECT_EQ(TabCount(), 0);

  ASSERT_NE(strip()->OpenGameTab("one", true, "http://127.0.0.1/game/1.html"), nullptr);
  tabs::GameTabCommandLine() = "stand-in-tab.exe follow";
  ASSERT_NE(strip()->OpenGameTab("two", true, "http://127.0.0.1/game/2.html"), nullptr);
  window()->QuitApplication();
  EXPECT_FALSE(IsWindowVisible(hwnd())) << "at once";
  bool quit = false;
  EXPECT_TRUE(PumpUntil([&] { return quit = quit || TakeQuit(kToolkitFilter); }, 10000));
  EXPECT_TRUE(noTabProcess()) << "every tab ended before the loop did";
}

// A tab that asks for a tab before it has joined, and so a second open while
// the first starts: both join, and the newest is shown.
TEST_F(TabStart, ATabAskingForATabWhileItStartsGetsOneAndBothJoin) {
  GameTabProgramReplaced asking("stand-in-tab.exe ask-first");
  ASSERT_NE(strip()->OpenGameTab("first", true, "http://127.0.0.1/game/1.html"), nullptr);
  ASSERT_TRUE(PumpUntil([&] { return TabCount() == 2; }, 10000));
  ASSERT_TRUE(PumpUntil([&] { return Stage(0) != tabs::TabStage::Starting && Stage(1) != tabs::TabStage::Starting; },
                        15000));
  EXPECT_EQ(Stage(0), tabs::TabStage::Running);
  EXPECT_EQ(Stage(1), tabs::TabStage::Running);
  EXPECT_EQ(Tab(1).address, "http://127.0.0.1/game/asked.html");
  EXPECT_EQ(strip()->GetCurrentTabIndex(), 1);
  EXPECT_TRUE(TabShown(1));
  EXPECT_FALSE(TabShown(0));
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
