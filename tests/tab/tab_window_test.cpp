// The tab window inside this test process: the browser it builds, the
// navigation requests of the main thread, and what happens once it is gone.
#include <gtest/gtest.h>

#include <windows.h>
#include <exdisp.h>
#include <ocidl.h>

#include <string>
#include <thread>

#include "common/browser_host.h"
#include "tab/host_window.h"
#include "tab/tab_process.h"
#include "tab/tab_window.h"
#include "tests/tab/stand_in_main_window.h"

namespace tamvelo::tab {
namespace {

// Not the program's class name: another test registers that one as a decoy.
constexpr wchar_t kTestTabClass[] = L"TamveloTabUnderTest";

bool SinkIsAdvised(IWebBrowser2* browser, IUnknown* sink) {
  IConnectionPointContainer* container = nullptr;
  IConnectionPoint* point = nullptr;
  IEnumConnections* connections = nullptr;
  bool found = false;
  if (SUCCEEDED(browser->QueryInterface(IID_IConnectionPointContainer,
                                        reinterpret_cast<void**>(&container))) &&
      SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &point)) &&
      SUCCEEDED(point->EnumConnections(&connections))) {
    CONNECTDATA data;
    while (connections->Next(1, &data, nullptr) == S_OK) {
      found = found || data.pUnk == sink;
      data.pUnk->Release();
    }
  }
  if (connections) connections->Release();
  if (point) point->Release();
  if (container) container->Release();
  return found;
}

class TabWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TabProcess& process = Process();
    process.instance = GetModuleHandleW(nullptr);
    process.context.mainWindow = main_.window();
    ASSERT_TRUE(browser::RegisterBrowserHostClass());
    ASSERT_TRUE(RegisterTabProgramClass(kTestTabClass, TabWndProc));
    tab_ = CreateWindowExW(0, kTestTabClass, L"tab", WS_POPUP, 100, 100, 900, 600, nullptr,
                           nullptr, process.instance, nullptr);
  }
  void TearDown() override {
    if (IsWindow(tab_)) DestroyWindow(tab_);
    MSG quit;  // the window posts quit messages: leave none behind
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  test::StandInMainWindow main_;
  HWND tab_ = nullptr;
};

TEST_F(TabWindowTest, BuildsASilentBrowserWithTheEventSinkAdvised) {
  ASSERT_NE(nullptr, tab_);
  EXPECT_EQ(tab_, Process().tabWindow.load());
  IWebBrowser2* browser = TabWindowBrowser(tab_);
  ASSERT_NE(nullptr, browser);
  VARIANT_BOOL silent = VARIANT_FALSE;
  EXPECT_EQ(S_OK, browser->get_Silent(&silent));
  EXPECT_NE(VARIANT_FALSE, silent);
  EXPECT_TRUE(SinkIsAdvised(browser, &Process().eventSink));

  HWND hostChild = FindWindowExW(tab_, nullptr, browser::kBrowserHostClassW, nullptr);
  ASSERT_NE(nullptr, hostChild);
  MoveWindow(tab_, 0, 0, 333, 222, TRUE);
  RECT rect;
  GetClientRect(hostChild, &rect);
  EXPECT_EQ(333, rect.right);
  EXPECT_EQ(222, rect.bottom);
}

TEST_F(TabWindowTest, NavigationFromTheMainThreadRunsOnTheBrowserThreadUntilTheBrowserIsGone) {
  ASSERT_NE(nullptr, tab_);
  // Here the test thread owns the tab window; another thread plays the
  // main thread and asks for navigation.
  bool navigated = false;
  std::thread mainThread([&] { navigated = RequestNavigation(L"http://127.0.0.1:1/game"); });
  EXPECT_TRUE(test::PumpUntil([&] { return navigated; }, 5000));
  mainThread.join();

  // The main program's destroy command: the browser goes, the window stays.
  SendMessageW(tab_, WM_DESTROY, 0, 0);
  EXPECT_TRUE(IsWindow(tab_));
  EXPECT_EQ(nullptr, TabWindowBrowser(tab_));
  EXPECT_EQ(nullptr, Process().tabWindow.load());
  EXPECT_EQ(nullptr, FindWindowExW(tab_, nullptr, browser::kBrowserHostClassW, nullptr));
  EXPECT_FALSE(RequestNavigation(L"http://127.0.0.1:1/late"));
  // A navigation message with nothing waiting does nothing.
  EXPECT_EQ(0, SendMessageW(tab_, kMsgNavigate, 0, 0));
  DestroyWindow(tab_);
  EXPECT_FALSE(RequestNavigation(L"http://127.0.0.1:1/later"));
}

TEST_F(TabWindowTest, DocumentCompleteUnderThisPlatformSendsTheLocationNameIfAny) {
  ASSERT_NE(nullptr, tab_);
  IWebBrowser2* browser = TabWindowBrowser(tab_);
  ASSERT_NE(nullptr, browser);
  BSTR name = nullptr;
  browser->get_LocationName(&name);
  const std::wstring expected = name != nullptr ? name : L"";
  SysFreeString(name);
  DISPPARAMS none{};
  EXPECT_EQ(S_OK, Process().eventSink.Invoke(kEventDocumentComplete, IID_NULL, 0, DISPATCH_METHOD,
                                             &none, nullptr, nullptr, nullptr));
  if (expected.empty()) {
    EXPECT_TRUE(main_.records().empty());
  } else {
    ASSERT_EQ(1u, main_.records().size());
    EXPECT_EQ(expected, main_.records()[0].text);
  }
}

}  // namespace
}  // namespace tamvelo::tab
