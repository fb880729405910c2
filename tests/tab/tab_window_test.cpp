// The tab window inside this test process: the browser it builds, the
// navigation requests of the main thread, and what happens once it is gone.
#include <gtest/gtest.h>

#include <windows.h>
#include <exdisp.h>
#include <ocidl.h>

#include <string>
#include <thread>
#include <vector>

#include "common/browser_host.h"
#include "tab/host_window.h"
#include "tab/tab_host.h"
#include "tab/tab_window.h"
#include "tests/support/stand_in_main_window.h"
#include "tests/tab/browser_stand_in.h"

namespace tamvelo::test {
using namespace tab;  // the code under test
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

// Records the address of every navigation the browser begins, and checks
// that its events arrive on the thread that owns the browser.
class NavigationCounter final : public IDispatch {
 public:
  std::vector<std::wstring> addresses;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != DIID_DWebBrowserEvents2) {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    *out = this;
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                      UINT*) override {
    constexpr DISPID kBeforeNavigate2 = 250;
    if (id != kBeforeNavigate2 || params == nullptr || params->cArgs != 7) return S_OK;
    EXPECT_EQ(ownerThread_, GetCurrentThreadId());
    // Arguments arrive last first: the address is the second of seven.
    const VARIANT& url = params->rgvarg[5];
    const VARIANT* value = (url.vt & VT_BYREF) ? url.pvarVal : &url;
    addresses.push_back(value->vt == VT_BSTR && value->bstrVal ? value->bstrVal : L"");
    return S_OK;
  }

 private:
  DWORD ownerThread_ = GetCurrentThreadId();
};

class TabWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TabHostState& process = TabHost();
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
    while (TakePosted(nullptr, WM_QUIT, &quit)) {
    }
  }
  test::StandInMainWindow main_;
  HWND tab_ = nullptr;
};

TEST_F(TabWindowTest, BuildsASilentBrowserWithTheEventSinkAdvised) {
  ASSERT_NE(nullptr, tab_);
  EXPECT_EQ(tab_, TabHost().tabWindow.load());
  IWebBrowser2* browser = TabWindowBrowser(tab_);
  ASSERT_NE(nullptr, browser);
  VARIANT_BOOL silent = VARIANT_FALSE;
  EXPECT_EQ(S_OK, browser->get_Silent(&silent));
  EXPECT_NE(VARIANT_FALSE, silent);
  EXPECT_TRUE(SinkIsAdvised(browser, &TabHost().eventSink));

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
  NavigationCounter counter;
  IWebBrowser2* browser = TabWindowBrowser(tab_);
  ASSERT_NE(nullptr, browser);
  const DWORD cookie = browser::AdviseBrowserEvents(browser, &counter);
  ASSERT_NE(0u, cookie);
  // Here the test thread owns the tab window; another thread plays the
  // main thread. Its requests return at once; the browser thread takes only
  // the latest one that is waiting.
  bool requested = false;
  std::thread mainThread([&] {
    requested = RequestNavigation(L"http://127.0.0.1:1/first") &&
                RequestNavigation(L"http://127.0.0.1:1/game");
  });
  mainThread.join();
  EXPECT_TRUE(requested);
  EXPECT_TRUE(counter.addresses.empty());
  EXPECT_TRUE(test::PumpUntil([&] { return !counter.addresses.empty(); }, 5000));
  test::Pump(100);
  ASSERT_EQ(1u, counter.addresses.size());
  EXPECT_EQ(L"http://127.0.0.1:1/game", counter.addresses[0]);
  EXPECT_EQ(nullptr, TabHost().pendingNavigation.load());
  browser::UnadviseBrowserEvents(browser, cookie);

  // The main program's destroy command: the browser goes, the window stays.
  SendMessageW(tab_, WM_DESTROY, 0, 0);
  EXPECT_TRUE(IsWindow(tab_));
  EXPECT_EQ(nullptr, TabWindowBrowser(tab_));
  EXPECT_EQ(nullptr, TabHost().tabWindow.load());
  EXPECT_EQ(nullptr, FindWindowExW(tab_, nullptr, browser::kBrowserHostClassW, nullptr));
  EXPECT_FALSE(RequestNavigation(L"http://127.0.0.1:1/late"));
  // A navigation message with nothing waiting does nothing.
  EXPECT_EQ(0, SendMessageW(tab_, kMsgNavigate, 0, 0));
  DestroyWindow(tab_);
  EXPECT_FALSE(RequestNavigation(L"http://127.0.0.1:1/later"));
  EXPECT_EQ(nullptr, TabHost().pendingNavigation.load());
}

// Wine's browser has no location name: a stand-in that has one drives the
// tab's own sink, which sends it as the title of this tab's host window.
TEST_F(TabWindowTest, DocumentCompleteSendsTheLocationNameAsThisTabsTitle) {
  ASSERT_NE(nullptr, tab_);
  IWebBrowser2* real = TabWindowBrowser(tab_);
  ASSERT_NE(nullptr, real);
  test::BrowserStandIn named(L"三国 - 第2服", nullptr);
  TabContext& context = TabHost().context;
  const HWND host = context.hostWindow;
  context.hostWindow = reinterpret_cast<HWND>(0x4321);  // not 0, the kind of an open-tab record
  CMyWebBrowser2Event& sink = TabHost().eventSink;
  sink.Bind(&named);
  DISPPARAMS none{};
  EXPECT_EQ(S_OK, sink.Invoke(kEventDocumentComplete, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr,
                              nullptr, nullptr));
  sink.Bind(real);
  context.hostWindow = host;
  ASSERT_EQ(1u, main_.records().size());
  EXPECT_EQ(L"三国 - 第2服", main_.records()[0].text);
  EXPECT_EQ(0x4321u, main_.records()[0].kind);
}

}  // namespace
}  // namespace tamvelo::test
