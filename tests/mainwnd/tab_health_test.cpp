// A tab whose process ends (crash, kill) shows it on its button without
// any polling, a tab whose window stops answering shows it until it answers
// again; a healthy tab shows nothing of it.
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "box/tabs/tab_text.h"
#include "box/tabs/tab_watch.h"
#include "tests/mainwnd/open_main_window.h"

namespace tamvelo::test {
namespace {

namespace tabs = tamvelo::tabs;

// A window on a thread of the test's own that stops pumping for a while,
// as a tab's window does when its page script loops.
class StallingWindow {
 public:
  explicit StallingWindow(DWORD stallMs) {
    thread_ = std::thread([this, stallMs] {
      WNDCLASSA wc{};
      wc.lpszClassName = "TamveloStallingTab";
      wc.lpfnWndProc = DefWindowProcA;
      RegisterClassA(&wc);
      HWND window = CreateWindowA(wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
      PumpQueued();
      window_ = window;
      Sleep(stallMs);
      while (!done_) {
        PumpQueued();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
      }
      DestroyWindow(window);
    });
    while (window_.load() == nullptr) Sleep(5);
  }
  ~StallingWindow() {
    done_ = true;
    thread_.join();
  }
  HWND window() const { return window_; }

 private:
  std::atomic<HWND> window_{nullptr};
  std::atomic<bool> done_{false};
  std::thread thread_;
};

class EndedTabs : public OpenMainWindowTest {
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

TEST_F(EndedTabs, AStalledTabIsMarkedUntilItAnswersAgain) {
  ASSERT_NE(OpenTab("first"), nullptr);
  ASSERT_NE(OpenTab("second"), nullptr);
  TabRecord& stalled = const_cast<TabRecord&>(Tab(0));
  const HWND ownWindow = stalled.tabWindow;
  {
    StallingWindow window(8000);
    stalled.tabWindow = window.window();
    ASSERT_TRUE(PumpUntil([&] { return Text(0) != "first"; }, 7800));
    EXPECT_EQ(Text(0), tabs::MarkButtonText("(无响应)", "first"));
    EXPECT_EQ(ToolTip(0), "游戏无响应");
    EXPECT_EQ(Text(1), "second");
    EXPECT_TRUE(PumpUntil([&] { return Text(0) == "first"; }, 4000));
    EXPECT_EQ(ToolTip(0), "first");
  }
  stalled.tabWindow = ownWindow;
  EXPECT_FALSE(Tab(1).hung);
}

// A page title that comes while the mark shows stays when the tab recovers.
TEST_F(EndedTabs, ATitleThatCameWhileMarkedIsKept) {
  ASSERT_NE(OpenTab("first"), nullptr);
  TabRecord& stalled = const_cast<TabRecord&>(Tab(0));
  const HWND ownWindow = stalled.tabWindow;
  {
    StallingWindow window(8000);
    stalled.tabWindow = window.window();
    ASSERT_TRUE(PumpUntil([&] { return Tab(0).hung; }, 7800));
    const std::wstring title = L"renamed";
    COPYDATASTRUCT record = {reinterpret_cast<ULONG_PTR>(Tab(0).hostWindow),
                             static_cast<DWORD>((title.size() + 1) * sizeof(wchar_t)),
                             const_cast<wchar_t*>(title.c_str())};
    SendMessageW(hwnd(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record));
    EXPECT_TRUE(PumpUntil([&] { return !Tab(0).hung; }, 4000));
  }
  stalled.tabWindow = ownWindow;
  EXPECT_EQ(Text(0), "renamed");
}

}  // namespace
}  // namespace tamvelo::test
