// The page browser of the main program with real neighbours: its handler
// and script object, title messages reaching a main window, new-window
// requests hiding the alt-account window and opening real game tabs in a
// real tab strip.
#include <exdispid.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "box/mainwnd/main_wnd.h"
#include "box/tabs/scroll_tab.h"
#include "box/tabs/tab_text.h"
#include "box/web/tabbrowser.h"
#include "box/windows/message_wnd.h"
#include "common/portal_settings.h"
#include "common/protocol.h"
#include "tests/support/test_support.h"
#include "tests/support/event_args.h"
#include "tests/web_ui/ui_window.h"

namespace tamvelo::test {

namespace {

struct LoginCall {
  std::string text;
  bool loggedIn;
  bool operator==(const LoginCall& other) const {
    return text == other.text && loggedIn == other.loggedIn;
  }
};

// A main window that is never opened: it only writes down what the login
// button is told.
class RecordingMainWnd : public CMainWnd {
 public:
  void SetLoginButton(LPCSTR text, bool loggedIn) override { calls.push_back({text, loggedIn}); }
  std::vector<LoginCall> calls;
};

// An alt-account window the user has opened (its shown flag set).
class OpenAltAccountWnd : public CMessageWnd {
 public:
  OpenAltAccountWnd() { ShowCentered(); }
};

class TabbrowserTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (strip_ == nullptr) return;
    // Starts still on their way are taken in first, so that every process
    // is known and ended: none may outlive the test.
    EXPECT_TRUE(strip_->Watcher().WaitUntilIdle(15000));
    for (const auto& record : strip_->GetTabRecords()) strip_->OnTabStartDone(record->life.launchId());
    std::vector<HANDLE> processes;
    for (const auto& record : strip_->GetTabRecords()) {
      processes.push_back(::OpenProcess(SYNCHRONIZE, FALSE, record->processId));
    }
    while (!strip_->GetTabRecords().empty()) strip_->CloseTab(0);
    for (HANDLE process : processes) {
      if (process == nullptr) continue;
      EXPECT_EQ(::WaitForSingleObject(process, 10000), WAIT_OBJECT_0);
      ::CloseHandle(process);
    }
  }

  // A window of the main window's class (tab processes join it) holding a
  // tab strip and, below it, the control; links as given.
  CTabbrowserUI* Attach(bool withStrip, CMainWnd* mainWnd = nullptr,
                        CMessageWnd* owner = nullptr) {
    EXPECT_NE(window_.CreateShown(800, 500), nullptr);
    auto* root = new DuiLib::CVerticalLayoutUI;
    if (withStrip) {
      strip_ = new CScrollTabUI;
      strip_->SetFixedHeight(32);
      root->Add(strip_);
    }
    auto* browser = new CTabbrowserUI;
    browser->m_pTabBar = strip_;
    browser->m_pMainWnd = mainWnd;
    browser->m_pOwnerWnd = owner;
    root->Add(browser);
    window_.Attach(root);
    return browser;
  }

  // Fires a new-window request; returns the cancel flag as the sink left it.
  static VARIANT_BOOL RequestWindow(CTabbrowserUI* browser, const std::wstring& url) {
    VARIANT_BOOL cancel = VARIANT_FALSE;
    IDispatch* opened = nullptr;
    EventArgs args;
    args.DispatchRef(&opened).BoolRef(&cancel).Long(0).String(L"http://127.0.0.1/box/index.html")
        .String(url);
    EXPECT_EQ(Fire(static_cast<IDispatch*>(browser), DISPID_NEWWINDOW3, args), S_OK);
    return cancel;
  }

  static void ChangeTitle(CTabbrowserUI* browser, const std::wstring& title) {
    EventArgs args;
    args.String(title);
    Fire(static_cast<IDispatch*>(browser), DISPID_TITLECHANGE, args);
  }

  tamvelo::test::UiWindow window_{tamvelo::protocol::kMainWindowClass};
  CScrollTabUI* strip_ = nullptr;
};

TEST_F(TabbrowserTest, InitMakesTheHandlerWithTheLinksAndTheScriptObject) {
  RecordingMainWnd mainWnd;
  OpenAltAccountWnd owner;
  CTabbrowserUI* browser = Attach(true, &mainWnd, &owner);
  ASSERT_NE(browser->m_pEventHandler, nullptr);
  EXPECT_EQ(browser->GetWebBrowserEventHandler(), browser->m_pEventHandler);
  EXPECT_EQ(browser->m_pEventHandler->m_pTabBar, strip_);
  EXPECT_EQ(browser->m_pEventHandler->m_pMainWnd, &mainWnd);
  EXPECT_EQ(browser->m_pEventHandler->m_pOwnerWnd, &owner);
  ASSERT_NE(browser->m_pClientCall.Get(), nullptr);
  EXPECT_TRUE(browser->IsContextMenuUsed());
  // Init does not chain to the base, yet the browser is there once placed.
  EXPECT_NE(browser->GetHostWindow(), nullptr);
  EXPECT_NE(browser->GetWebBrowser2(), nullptr);
}

TEST_F(TabbrowserTest, PagesHaveNoBorderAndSeeTheScriptObject) {
  CTabbrowserUI* browser = Attach(false);
  tamvelo::browser::BrowserHostDelegate* host = browser;
  DOCHOSTUIINFO info = {};
  info.cbSize = sizeof(info);
  info.dwFlags = DOCHOSTUIFLAG_SCROLL_NO;
  EXPECT_EQ(host->GetHostInfo(&info), S_OK);
  EXPECT_EQ(info.dwFlags, DWORD(DOCHOSTUIFLAG_SCROLL_NO | DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_DPI_AWARE));
  EXPECT_EQ(host->GetHostInfo(nullptr), S_OK);

  IDispatch* external = nullptr;
  EXPECT_EQ(host->GetExternal(&external), S_OK);
  ASSERT_EQ(external, static_cast<IDispatch*>(browser->m_pClientCall.Get()));
  // What the page reaches answers: the alt-account window's object has no
  // stored value.
  const auto expectNoStoredValue = [](IDispatch* object) {
    VARIANT result;
    ::VariantInit(&result);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    EXPECT_EQ(object->Invoke(tamvelo::web::ClientCall::kCppCallId, IID_NULL, 0, DISPATCH_METHOD, &none,
                             &result, nullptr, nullptr),
              S_OK);
    EXPECT_EQ(result.vt, VT_BSTR);
    if (result.vt == VT_BSTR) {
      EXPECT_STREQ(result.bstrVal, L"0");
    }
    ::VariantClear(&result);
  };
  expectNoStoredValue(external);
  external->Release();  // the page lets go; the object stays
  EXPECT_EQ(host->GetExternal(&external), S_OK);
  EXPECT_EQ(external, static_cast<IDispatch*>(browser->m_pClientCall.Get()));

  // The control goes while the page still holds the object: the control and
  // its browser give up their references, and the object keeps answering.
  const ULONG before = external->AddRef() - 1;
  external->Release();
  static_cast<DuiLib::CContainerUI*>(browser->GetParent())->Remove(browser, true);
  delete browser;
  const ULONG after = external->AddRef() - 1;
  external->Release();
  EXPECT_LT(after, before);
  EXPECT_GE(after, 1u);
  expectNoStoredValue(external);
  external->Release();
}

TEST_F(TabbrowserTest, TitleMessagesReachTheMainWindow) {
  RecordingMainWnd mainWnd;
  CTabbrowserUI* browser = Attach(false, &mainWnd);
  // Prefixes are exact: case, a leading space or a cut-off prefix is no message.
  for (const std::wstring& title :
       {tamvelo::test::Utf8ToWide(u8"username:玩家一号"), std::wstring(L"username:"),
        std::wstring(L"nologin:Log in"), std::wstring(L"nologin:"), std::wstring(L"USERNAME:shouting"),
        std::wstring(L"Nologin:x"), std::wstring(L" username:late"), std::wstring(L"usernam"),
        std::wstring(L"a game page")}) {
    ChangeTitle(browser, title);
  }
  const std::vector<LoginCall> expected = {
      {tamvelo::test::Utf8ToAnsi(u8"玩家一号"), true},
      {"", true},
      {"Log in", false},
      {"", false},
  };
  EXPECT_EQ(mainWnd.calls, expected);
}

TEST_F(TabbrowserTest, RequestsThatStayWithTheSystem) {
  OpenAltAccountWnd elsewhere;  // exists, but is not this control's window
  CTabbrowserUI* browser = Attach(true);
  // "?directopen" anywhere: neither cancelled nor a tab; the alt-account
  // login from the home page touches no alt-account window.
  for (const wchar_t* url : {L"http://127.0.0.1/news?directopen", L"http://127.0.0.1/a?b=1&c=?directopen&d",
                             L"http://127.0.0.1/box/login_xiaohao?directopen"}) {
    EXPECT_EQ(RequestWindow(browser, url), VARIANT_FALSE) << url;
  }
  EXPECT_TRUE(strip_->GetTabRecords().empty());
  EXPECT_TRUE(elsewhere.IsShown());
}

TEST_F(TabbrowserTest, AControlWithoutLinksLeavesEverythingAlone) {
  CTabbrowserUI* browser = Attach(false);
  // No tab strip: the system's window rather than a request lost.
  EXPECT_EQ(RequestWindow(browser, L"http://127.0.0.1/game/1.html"), VARIANT_FALSE);
  ChangeTitle(browser, L"username:someone");  // no main window to tell
}

TEST_F(TabbrowserTest, AltAccountLoginHidesItsWindowAndRoutingGoesOn) {
  OpenAltAccountWnd owner;
  CTabbrowserUI* browser = Attach(true, nullptr, &owner);
  EXPECT_EQ(RequestWindow(browser, L"http://127.0.0.1/box/login_xiaohao.html?directopen"),
            VARIANT_FALSE);
  EXPECT_FALSE(owner.IsShown());
  EXPECT_TRUE(strip_->GetTabRecords().empty());
}

TEST_F(TabbrowserTest, GameRequestBecomesARealTab) {
  CTabbrowserUI* browser = Attach(true);
  EXPECT_EQ(RequestWindow(browser, L"http://127.0.0.1/game/7.html"), VARIANT_TRUE);
  ASSERT_EQ(strip_->GetTabRecords().size(), 1u);
  const TabRecord* record = strip_->GetTabRecords()[0].get();
  // Its windows join off this thread; the main window passes that news on,
  // and this window stands in for it.
  ASSERT_TRUE(strip_->Watcher().WaitUntilIdle(15000));
  strip_->OnTabStartDone(record->life.launchId());
  EXPECT_NE(record->processId, 0u);
  ASSERT_NE(record->hostWindow, nullptr);
  EXPECT_TRUE(::IsChild(window_.GetHWND(), record->hostWindow));
  EXPECT_EQ(record->address, "http://127.0.0.1/game/7.html");
}

TEST_F(TabbrowserTest, PartnerPaymentBecomesThePortalPayTabEvenWithDirectOpen) {
  CTabbrowserUI* browser = Attach(true);
  const std::string partner =
      std::string("https://") + tamvelo::kPartnerHost + "/api/h.phtml?o=9?directopen";
  EXPECT_EQ(RequestWindow(browser, tamvelo::test::Utf8ToWide(partner)), VARIANT_TRUE);
  ASSERT_EQ(strip_->GetTabRecords().size(), 1u);
  EXPECT_EQ(strip_->GetTabRecords()[0]->address, "http://127.0.0.1/box/pay");
}

}  // namespace

}  // namespace tamvelo::test
