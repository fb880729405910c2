// A tab whose process ends (crash, kill) shows it on its button without
// any polling; a tab whose window stops answering shows it until it answers
// again, and when it is the selected one the hung page covers it after a
// while, with "等待" and "关闭游戏"; a healthy or briefly busy tab shows
// nothing of it. While a tab is hung, nothing the user does waits on it.
#include <cstdio>
#include <functional>
#include <string>

#include "box/tabs/tab_life.h"
#include "box/tabs/tab_watch.h"
#include "box/windows/hung_page.h"
#include "tests/mainwnd/open_main_window.h"

namespace tamvelo::test {
namespace {

namespace tabs = tamvelo::tabs;

class TabHealth : public OpenMainWindowTest {
 protected:
  std::string Text(int index) const { return Tab(index).button->GetTabButton()->GetText().GetData(); }
  std::string ToolTip(int index) const { return Tab(index).button->GetTabButton()->GetToolTip().GetData(); }
  // Opens a stand-in tab in the given mode.
  void Open(const char* mode, const char* title) {
    GameTabProgramReplaced program(std::string("stand-in-tab.exe ") + mode);
    ASSERT_NE(OpenTab(title), nullptr) << mode;
  }
  CHungPageWnd& HungPage() const { return *window()->GetHungPage(); }
  // Shown, and above every other child of the main window, the game's too.
  bool HungPageOnTop() const {
    return HungPage().IsShown() && GetTopWindow(hwnd()) == HungPage().GetHWND();
  }
  void ClickHungPage(const char* name) {
    PostClick(HungPage().GetHWND(), HungPage().GetPaintManager()->FindControl(name));
  }
};

TEST_F(TabHealth, AKilledTabIsMarkedOthersAreNot) {
  ASSERT_NE(OpenTab("first"), nullptr);
  ASSERT_NE(OpenTab("second"), nullptr);
  // Shown in full screen when it dies.
  strip()->SelectTab(Tab(0).button);
  window()->EnterFullScreen();
  ASSERT_TRUE(window()->IsFullScreen());
  ASSERT_TRUE(TerminateProcess(Tab(0).processHandle, 9));
  const ULONGLONG killed = GetTickCount64();
  ASSERT_TRUE(PumpUntil([&] { return Tab(0).ended(); }, 3000));
  // Figure for the report, not a timed assertion.
  std::printf("tab death to its button's mark: %llu ms\n", GetTickCount64() - killed);
  EXPECT_FALSE(window()->IsFullScreen());
  auto* pages = static_cast<DuiLib::CTabLayoutUI*>(window()->GetPaintManager()->FindControl("body_main_tablayout"));
  EXPECT_EQ(pages->GetCurSel(), pages->GetItemIndex(window()->GetPaintManager()->FindControl("page_stopped")));
  EXPECT_EQ(Text(0), "(已停止)first");
  EXPECT_EQ(ToolTip(0), "游戏已停止运行");
  EXPECT_EQ(Text(1), "second");
  EXPECT_FALSE(Tab(1).ended());

  // Told again, or told about a living tab by someone else: nothing changes.
  PostMessageA(hwnd(), tabs::kMsgTabProcessEnded, Tab(0).processId, 0);
  PostMessageA(hwnd(), tabs::kMsgTabProcessEnded, Tab(1).processId, 0);
  Pump(100);
  EXPECT_EQ(Text(0), "(已停止)first");
  EXPECT_EQ(Text(1), "second");
  EXPECT_FALSE(Tab(1).ended());

  // The ended tab still closes like any other.
  strip()->CloseTab(0);
  EXPECT_EQ(TabCount(), 1);
  EXPECT_EQ(Text(0), "second");
}

// A tab silent for 10 s: marked after 5 s, covered once silent for the
// page's delay, uncovered and unmarked when it answers; a title that came
// meanwhile stays. A tab busy for 1 s is never marked.
TEST_F(TabHealth, AStalledTabIsMarkedCoveredAndUncoveredWhenItAnswers) {
  Open("follow-stall 1000", "busy");
  Open("follow-stall 10000", "first");
  strip()->SetHungPageDelay(7000);
  bool busyMarked = false;
  const auto watching = [&](const std::function<bool()>& done) {
    return [&, done] {
      busyMarked = busyMarked || Tab(0).hung() || Text(0) != "busy";
      return done();
    };
  };
  ASSERT_TRUE(PumpUntil(watching([&] { return Tab(1).hung(); }), 8000));
  EXPECT_EQ(Text(1), "(无响应)first");
  EXPECT_EQ(ToolTip(1), "游戏无响应");
  EXPECT_FALSE(HungPage().IsShown()) << "not silent long enough yet";
  SendTitle(hwnd(), Tab(1).hostWindow, L"renamed");
  EXPECT_EQ(Text(1), "(无响应)renamed");

  EXPECT_TRUE(PumpUntil(watching([&] { return HungPageOnTop(); }), 4000));
  EXPECT_TRUE(PumpUntil(watching([&] { return !Tab(1).hung(); }), 6000));
  EXPECT_FALSE(HungPage().IsShown());
  EXPECT_EQ(Text(1), "renamed");
  EXPECT_EQ(ToolTip(1), "renamed");
  EXPECT_FALSE(busyMarked);
}

// "等待" uncovers the game and counts again; "关闭游戏" ends it, and the tab
// stays with the page that reopens it. The plain text survives the marks.
TEST_F(TabHealth, TheHungPageWaitsAgainOrClosesTheGame) {
  Open("follow-stall", "first");
  strip()->SetHungPageDelay(6000);
  ASSERT_TRUE(PumpUntil([&] { return HungPageOnTop(); }, 9000));
  // A picture of the page over the game, kept beside the test.
  Pump(300);
  const std::string picture = ExecutableFolder() + "hung_page.bmp";
  EXPECT_TRUE(SaveWindowBitmap(hwnd(), picture));
  std::printf("screenshot: %s\n", picture.c_str());
  ClickHungPage("hung_wait_btn");
  EXPECT_TRUE(PumpUntil([&] { return !HungPage().IsShown(); }, 1000));
  Pump(1500);
  EXPECT_FALSE(HungPage().IsShown()) << "the count starts again";
  EXPECT_TRUE(Tab(0).hung());
  ASSERT_TRUE(PumpUntil([&] { return HungPageOnTop(); }, 8000));

  const DWORD processId = Tab(0).processId;
  ClickHungPage("hung_close_btn");
  ASSERT_TRUE(PumpUntil([&] { return Tab(0).ended(); }, 1000));
  EXPECT_FALSE(HungPage().IsShown());
  EXPECT_EQ(Text(0), "(已停止)first");
  EXPECT_TRUE(ProcessEnds(processId, 5000));
  auto* pages = static_cast<DuiLib::CTabLayoutUI*>(window()->GetPaintManager()->FindControl("body_main_tablayout"));
  EXPECT_EQ(pages->GetCurSel(), pages->GetItemIndex(window()->GetPaintManager()->FindControl("page_stopped")));
  EXPECT_FALSE(window()->IsFullScreenAvailable());
}

// Every operation on a hung tab's window is queued for its thread: each
// returns at once (a liveness bound far above the normal time), and
// closing the tab ends its process by force.
TEST_F(TabHealth, WhileATabIsHungEveryWindowOperationReturns) {
  Open("follow", "other");
  Open("follow-stall", "hung");
  struct Step {
    const char* what;
    std::function<void()> run;
  };
  RECT before = {};
  GetWindowRect(hwnd(), &before);
  const Step steps[] = {
      {"select another tab", [&] { strip()->SelectTab(Tab(0).button); }},
      {"select the hung tab", [&] { strip()->SelectTab(Tab(1).button); }},
      {"select the home page", [&] { window()->SelectHomeTab(); }},
      {"select the hung tab again", [&] { strip()->SelectTab(Tab(1).button); }},
      {"resize", [&] { SetWindowPos(hwnd(), nullptr, 0, 0, 900, 640, SWP_NOMOVE | SWP_NOZORDER); }},
      {"grow", [&] { SetWindowPos(hwnd(), nullptr, 0, 0, 1200, 900, SWP_NOMOVE | SWP_NOZORDER); }},
      {"maximise", [&] { SendMessageA(hwnd(), WM_SYSCOMMAND, SC_MAXIMIZE, 0); }},
      {"restore", [&] { SendMessageA(hwnd(), WM_SYSCOMMAND, SC_RESTORE, 0); }},
      {"enter full screen", [&] { window()->EnterFullScreen(); }},
      {"leave full screen", [&] { window()->ExitFullScreen(); }},
      {"hide to the tray", [&] { window()->HideMainWindow(); }},
      {"come back", [&] { window()->RestoreMainWindow(); }},
      {"close the hung tab", [&] { strip()->CloseTab(1); }},
  };
  const DWORD hungProcess = Tab(1).processId;
  for (const Step& step : steps) {
    const ULONGLONG start = GetTickCount64();
    step.run();
    PumpToolkit();
    EXPECT_LT(GetTickCount64() - start, 2000u) << step.what;
  }
  EXPECT_EQ(TabCount(), 1);
  EXPECT_TRUE(ProcessEnds(hungProcess, 10000));
  SetWindowPos(hwnd(), nullptr, before.left, before.top, before.right - before.left, before.bottom - before.top,
               SWP_NOZORDER);
}

}  // namespace
}  // namespace tamvelo::test
