// Records that arrive while a call on another thread's window is on its way
// (the command to end, a show, a move, each queued for that thread): the
// strip's list, its current index and the shown tab must still agree
// afterwards. A window of a thread of the test's own stands in for a tab's
// window and sends an open-tab record from inside that call, as a busy tab
// process can.
#include <atomic>
#include <string>
#include <thread>

#include "box/web/tabbrowser.h"
#include "common/portal_address.h"
#include "common/protocol.h"
#include "tests/mainwnd/open_main_window.h"
#include "tests/support/navigation_recorder.h"

namespace tamvelo::test {
namespace {

namespace protocol = tamvelo::protocol;

constexpr wchar_t kNestedAddress[] = L"http://127.0.0.1/game/nested.html";

// The stand-in window sends the record once, on the first `trigger` message.
class NestedSender {
 public:
  NestedSender(HWND mainWindow, UINT trigger) : main_(mainWindow), trigger_(trigger) {
    thread_ = std::thread([this] { Run(); });
    while (window_.load() == nullptr) Sleep(5);
  }
  ~NestedSender() {
    PostMessageA(window_, WM_CLOSE, 0, 0);
    thread_.join();
  }
  HWND window() const { return window_; }
  bool sent() const { return sent_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<NestedSender*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && message == self->trigger_ && !self->sent_) {
      self->sent_ = true;
      COPYDATASTRUCT record = {protocol::CopyDataOpenTab, sizeof kNestedAddress,
                               const_cast<wchar_t*>(kNestedAddress)};
      SendMessageW(self->main_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record));
    }
    if (message == WM_CLOSE) {
      DestroyWindow(window);
      PostQuitMessage(0);
      return 0;
    }
    if (message == WM_DESTROY && self && self->trigger_ == WM_DESTROY) return 0;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  void Run() {
    WNDCLASSA wc{};
    wc.lpszClassName = "TamveloNestedSender";
    wc.lpfnWndProc = Proc;
    RegisterClassA(&wc);
    HWND window = CreateWindowA(wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                nullptr, nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    window_ = window;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  }

  HWND main_;
  UINT trigger_;
  std::atomic<HWND> window_{nullptr};
  std::atomic<bool> sent_{false};
  std::thread thread_;
};

class NestedRecords : public OpenMainWindowTest {
 protected:
  // Once the tab opened meanwhile has joined: exactly one tab window shown,
  // and it is the current tab's.
  void ExpectOnlyCurrentShown() {
    ASSERT_TRUE(PumpUntil([&] {
      for (int i = 0; i < TabCount(); ++i) {
        if (Tab(i).life.stage() == tabs::TabStage::Starting) return false;
      }
      return true;
    }, 15000));
    const int current = strip()->GetCurrentTabIndex();
    ASSERT_GE(current, 0);
    ASSERT_LT(current, TabCount());
    for (int i = 0; i < TabCount(); ++i) EXPECT_EQ(TabShown(i), i == current) << "tab " << i;
  }
};

// Tabs A, B, C with C current; A is closed and a tab opens meanwhile.
TEST_F(NestedRecords, CloseWhileATabOpens) {
  ASSERT_NE(OpenTab("A"), nullptr);
  ASSERT_NE(OpenTab("B"), nullptr);
  ASSERT_NE(OpenTab("C"), nullptr);
  NestedSender sender(hwnd(), WM_DESTROY);
  // A's process is left without its command: the close ends it by force.
  const TabRecord* c = strip()->GetTabRecords()[2].get();
  const HANDLE a = OpenProcess(SYNCHRONIZE, FALSE, Tab(0).processId);
  ASSERT_NE(a, nullptr);
  strip()->GetTabRecords()[0]->hostWindow = sender.window();
  strip()->CloseTab(0);
  ASSERT_TRUE(PumpUntil([&] { return sender.sent(); }, 5000));
  ASSERT_EQ(TabCount(), 3);
  EXPECT_EQ(&Tab(1), c);
  EXPECT_EQ(strip()->GetCurrentTabIndex(), 2);
  ExpectOnlyCurrentShown();
  EXPECT_EQ(WaitForSingleObject(a, 15000), WAIT_OBJECT_0);
  CloseHandle(a);
}

// Selecting B hides C first; the tab opened meanwhile stays current.
TEST_F(NestedRecords, SelectWhileATabOpens) {
  ASSERT_NE(OpenTab("B"), nullptr);
  ASSERT_NE(OpenTab("C"), nullptr);
  NestedSender sender(hwnd(), WM_SHOWWINDOW);
  TabRecord* c = strip()->GetTabRecords()[1].get();
  HWND cWindow = c->tabWindow;
  c->tabWindow = sender.window();
  strip()->SelectTab(Tab(0).button);
  ASSERT_TRUE(PumpUntil([&] { return sender.sent(); }, 5000));
  c->tabWindow = cWindow;
  ShowWindow(cWindow, SW_HIDE);
  ASSERT_EQ(TabCount(), 3);
  EXPECT_EQ(strip()->GetCurrentTabIndex(), 2);
  ExpectOnlyCurrentShown();
}

// A resize moves every tab window; a tab opened during a move grows the list.
TEST_F(NestedRecords, ResizeWhileATabOpens) {
  ASSERT_NE(OpenTab("B"), nullptr);
  ASSERT_NE(OpenTab("C"), nullptr);
  NestedSender sender(hwnd(), WM_WINDOWPOSCHANGED);
  TabRecord* b = strip()->GetTabRecords()[0].get();
  HWND bWindow = b->tabWindow;
  b->tabWindow = sender.window();
  RECT before;
  GetWindowRect(hwnd(), &before);
  SetWindowPos(hwnd(), nullptr, 0, 0, 1000, 700, SWP_NOMOVE | SWP_NOZORDER);
  ASSERT_TRUE(PumpUntil([&] { return sender.sent(); }, 5000));
  b->tabWindow = bWindow;
  ASSERT_EQ(TabCount(), 3);
  ExpectOnlyCurrentShown();
  SetWindowPos(hwnd(), nullptr, 0, 0, before.right - before.left, before.bottom - before.top,
               SWP_NOMOVE | SWP_NOZORDER);
  Pump(50);
}

// Message 1125 from any other process: a foreign pointer is never read.
TEST_F(NestedRecords, ForeignPointerInMessage1125ChangesNothing) {
  CTabbrowserUI* home = window()->GetHomeBrowser();
  DuiLib::CWebBrowserEventHandler* handler = home->GetWebBrowserEventHandler();
  NavigationRecorder recorder;
  home->SetWebBrowserEventHandler(&recorder);
  for (WPARAM foreign : {WPARAM{0x10}, WPARAM{0xDEAD0000}, reinterpret_cast<WPARAM>("http://evil/")}) {
    PostMessageA(hwnd(), protocol::kMsgOpenInNewWindow, foreign, 0);
    Pump(50);
    EXPECT_TRUE(IsWindow(hwnd()));
    EXPECT_EQ(recorder.count, 0) << recorder.last;
  }
  // The update check's own address is opened.
  PostMessageA(hwnd(), protocol::kMsgOpenInNewWindow, reinterpret_cast<WPARAM>(kDownloadPageAddress.data()), 0);
  EXPECT_TRUE(PumpUntil([&] { return recorder.count == 1; }, 5000));
  EXPECT_EQ(recorder.last, kDownloadPageAddress.data());
  home->SetWebBrowserEventHandler(handler);
  EXPECT_EQ(TabCount(), 0);
}

}  // namespace
}  // namespace tamvelo::test
