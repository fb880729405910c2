// tamvelo-tab as the main program sees it: a real process joining a
// stand-in main window of this test process.
#include "tests/support/loopback_server.h"  // winsock2.h before windows.h

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/protocol.h"
#include "tab/tab_host.h"
#include "tests/support/display_scale.h"
#include "tests/support/stand_in_main_window.h"
#include "tests/support/window_helpers.h"

namespace tamvelo::test {
namespace {

using protocol::kHostWindowClassW;
using protocol::kTabWindowClassW;

constexpr DWORD kExitTimeoutMs = 10000;
const std::wstring kTabCommand = L"tamvelo-tab.exe 1_tamvelo_1_tab";

// The tab process's two windows, found as the main program finds them.
struct JoinedTab {
  HWND host = nullptr;
  HWND tab = nullptr;
};

JoinedTab StartAndJoin(TabProcessRun& run, const StandInMainWindow& main) {
  EXPECT_TRUE(run.started());
  EXPECT_EQ(0u, WaitForInputIdle(run.process(), kExitTimeoutMs));
  return {FindChildOf(main.window(), run.processId(), kHostWindowClassW),
          FindChildOf(main.window(), run.processId(), kTabWindowClassW)};
}

RECT RectInParent(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

TEST(TabHostTest, JoinsTheMainWindowBelowItsTopAndEndsWhenTheHostWindowIsDestroyed) {
  StandInMainWindow main;
  // A window of the same class in another process (this one) must not be taken.
  WNDCLASSW decoyClass{};
  decoyClass.lpfnWndProc = DefWindowProcW;
  decoyClass.hInstance = GetModuleHandleW(nullptr);
  decoyClass.lpszClassName = kTabWindowClassW;
  RegisterClassW(&decoyClass);
  HWND decoyTab = CreateWindowExW(0, kTabWindowClassW, L"", WS_CHILD, 0, 0, 10, 10, main.window(),
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(nullptr, decoyTab);
  TabProcessRun run(kTabCommand);
  const JoinedTab joined = StartAndJoin(run, main);
  ASSERT_NE(nullptr, joined.host);
  ASSERT_NE(nullptr, joined.tab);
  EXPECT_EQ(main.window(), GetParent(joined.host));
  EXPECT_EQ(main.window(), GetParent(joined.tab));
  EXPECT_NE(decoyTab, joined.tab);

  EXPECT_FALSE(IsWindowVisible(joined.host));
  EXPECT_TRUE(IsWindowVisible(joined.tab));
  EXPECT_TRUE(GetWindowLongW(joined.tab, GWL_STYLE) & WS_CHILD);
  EXPECT_FALSE(GetWindowLongW(joined.tab, GWL_STYLE) & WS_POPUP);
  RECT client;
  GetClientRect(main.window(), &client);
  const RECT placed = RectInParent(joined.tab);
  // Below the main window's bands at its display scale: 100, 150, 200 %.
  const int kTop[] = {70, 105, 140};
  const int top = kTop[PrefixScaleIndex()];
  EXPECT_EQ(0, placed.left);
  EXPECT_EQ(top, placed.top);
  EXPECT_EQ(client.right, placed.right);
  EXPECT_EQ(client.bottom, placed.bottom);

  // The browser host child fills the tab window, also after a resize.
  HWND hostChild = FindWindowExW(joined.tab, nullptr, L"AtlAxWin140", nullptr);
  ASSERT_NE(nullptr, hostChild);
  RECT childRect;
  GetClientRect(hostChild, &childRect);
  EXPECT_EQ(client.right, childRect.right);
  EXPECT_EQ(client.bottom - top, childRect.bottom);
  MoveWindow(joined.tab, 0, top, 500, 300, TRUE);
  EXPECT_TRUE(PumpUntil(
      [&] {
        GetClientRect(hostChild, &childRect);
        return childRect.right == 500 && childRect.bottom == 300;
      },
      5000));

  wchar_t title[100] = {};
  GetWindowTextW(joined.tab, title, 100);
  EXPECT_STREQ(L"tamvelo游戏窗口", title);

  SendMessageW(joined.host, WM_DESTROY, 0, 0);
  EXPECT_EQ(0u, run.WaitForExit(kExitTimeoutMs));
  DestroyWindow(decoyTab);
}

TEST(TabHostTest, DestroyCommandToTheTabWindowEndsOnlyTheBrowserThread) {
  StandInMainWindow main;
  TabProcessRun run(kTabCommand);
  const JoinedTab joined = StartAndJoin(run, main);
  ASSERT_NE(nullptr, joined.tab);
  SendMessageW(joined.tab, WM_DESTROY, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(joined.tab); }, 5000));
  EXPECT_TRUE(run.Running());

  // An address arriving now has no browser: it is dropped without harm.
  const char address[] = "http://127.0.0.1/game";
  EXPECT_EQ(0, SendCopyData(joined.host, protocol::CopyDataUrl, address, sizeof address));
  EXPECT_TRUE(run.Running());

  // The host window goes with the main window, and the process with it.
  main.Destroy();
  EXPECT_EQ(0u, run.WaitForExit(kExitTimeoutMs));
}

TEST(TabHostTest, HostileRecordsToTheHostWindowDoNoHarm) {
  StandInMainWindow main;
  TabProcessRun run(kTabCommand);
  const JoinedTab joined = StartAndJoin(run, main);
  ASSERT_NE(nullptr, joined.host);
  const char unterminated[4] = {'a', '=', '1', '|'};
  EXPECT_EQ(0, SendCopyData(joined.host, protocol::CopyDataCookiesAndUrl, unterminated, 4));
  EXPECT_EQ(0, SendCopyData(joined.host, protocol::CopyDataUrl, unterminated, 0));
  EXPECT_EQ(0, SendCopyData(joined.host, protocol::CopyDataUrl, nullptr, 0));
  const std::string noSeparator = "a=1; b=2|http://127.0.0.1/";
  EXPECT_EQ(0, SendCopyData(joined.host, protocol::CopyDataCookiesAndUrl, noSeparator.c_str(),
                          static_cast<DWORD>(noSeparator.size() + 1)));
  const std::string big(1 << 20, 'x');  // a megabyte without terminator
  EXPECT_EQ(0, SendCopyData(joined.host, protocol::CopyDataUrl, big.data(),
                          static_cast<DWORD>(big.size())));
  for (ULONG_PTR kind : {ULONG_PTR{0}, ULONG_PTR{3}, ULONG_PTR{0xFFFFFFFF}}) {
    EXPECT_EQ(0, SendCopyData(joined.host, kind, "x", 2));
  }
  // A forged navigation message to the tab window carries nothing to use.
  SendMessageTimeoutW(joined.tab, WM_APP + 1, 0, 0x1234, SMTO_NORMAL, 5000, nullptr);
  EXPECT_TRUE(run.Running());
  EXPECT_TRUE(IsWindow(joined.tab));

  // A good record still takes effect: the game is asked for, with the cookies.
  LoopbackServer game(Reply(OkResponse("<html></html>")));
  const std::string record = "a=1; b=2||" + game.BaseUrl() + "/game";
  EXPECT_EQ(0, SendCopyData(joined.host, protocol::CopyDataCookiesAndUrl, record.c_str(),
                          static_cast<DWORD>(record.size() + 1)));
  ASSERT_TRUE(PumpUntil([&] { return !game.Requests().empty(); }, 10000));
  const std::string request = game.Requests()[0];
  EXPECT_EQ(RequestPath(request), "/game");
  EXPECT_NE(request.find("a=1"), std::string::npos) << request;
  EXPECT_NE(request.find("b=2"), std::string::npos) << request;
  EXPECT_TRUE(run.Running());
  SendMessageW(joined.host, WM_DESTROY, 0, 0);
  EXPECT_EQ(0u, run.WaitForExit(kExitTimeoutMs));
}

struct VisibleSearch {
  DWORD processId;
  bool found;
};

BOOL CALLBACK MatchVisible(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<VisibleSearch*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && IsWindowVisible(window)) search->found = true;
  return TRUE;
}

// A top-level window of that process that shows.
bool ProcessHasVisibleWindow(DWORD processId) {
  VisibleSearch search{processId, false};
  EnumWindows(MatchVisible, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST(TabHostTest, WaitingModeShowsNothingAndEndsOnceTheMainWindowIsGone) {
  StandInMainWindow main;
  // The token counts anywhere after the first blank.
  TabProcessRun run(L"tamvelo-tab.exe other-text1_tamvelo_1_tag");
  ASSERT_TRUE(run.started());
  Pump(1500);
  EXPECT_TRUE(run.Running());
  EXPECT_FALSE(ProcessHasVisibleWindow(run.processId()));
  EXPECT_EQ(nullptr, FindChildOf(main.window(), run.processId(), kHostWindowClassW));
  main.Destroy();
  // The main window is looked for every 2 s.
  EXPECT_EQ(0u, run.WaitForExit(kExitTimeoutMs));
}

TEST(TabHostTest, WithoutAMainWindowEndsAtOnceInEitherMode) {
  ASSERT_EQ(nullptr, FindWindowW(protocol::kMainWindowClassW, nullptr));
  for (const wchar_t* line : {L"tamvelo-tab.exe 1_tamvelo_1_tab", L"tamvelo-tab.exe 1_tamvelo_1_tag"}) {
    TabProcessRun run(line);
    ASSERT_TRUE(run.started());
    EXPECT_EQ(0u, run.WaitForExit(kExitTimeoutMs)) << line;
  }
}

TEST(TabHostTest, WithoutAnArgumentEndsAtOnceAndJoinsNothing) {
  StandInMainWindow main;
  for (const wchar_t* line : {L"tamvelo-tab.exe", L"tamvelo-tab.exe   "}) {
    TabProcessRun run(line);
    ASSERT_TRUE(run.started());
    EXPECT_EQ(0u, run.WaitForExit(kExitTimeoutMs)) << line;
    EXPECT_EQ(nullptr, FindChildOf(main.window(), run.processId(), kTabWindowClassW));
  }
}

// In this process: a browser thread that does not end when told keeps all
// it may still touch, and the caller learns that the process must end as it
// is; one that ends leaves nothing behind.
TEST(TabHostTest, StoppingTheBrowserThreadFreesItsStateOnlyOnceItHasEnded) {
  struct Thread {
    static DWORD WINAPI Pump(void* ready) {
      MSG message;
      PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
      SetEvent(ready);
      while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      }
      return 0;
    }
    static DWORD WINAPI Ignore(void* ready) {
      SetEvent(ready);
      Sleep(5000);
      return 0;
    }
  };
  for (const bool ends : {true, false}) {
    SCOPED_TRACE(ends ? "ends" : "does not end");
    tab::TabHostState state;
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    state.joinedEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    state.browserThread = CreateThread(nullptr, 0, ends ? Thread::Pump : Thread::Ignore, ready, 0,
                                       &state.browserThreadId);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ready, 5000));
    const HANDLE thread = state.browserThread;
    auto* navigation = new std::wstring(L"http://127.0.0.1/game");
    state.pendingNavigation = navigation;

    EXPECT_EQ(ends, tab::StopBrowserThread(state));
    EXPECT_EQ(ends ? nullptr : navigation, state.pendingNavigation.load());
    EXPECT_EQ(ends ? nullptr : thread, state.browserThread);
    EXPECT_EQ(ends, state.joinedEvent == nullptr);
    if (!ends) {
      WaitForSingleObject(thread, INFINITE);
      CloseHandle(thread);
      CloseHandle(state.joinedEvent);
      delete navigation;
    }
    CloseHandle(ready);
  }
}

}  // namespace
}  // namespace tamvelo::test
