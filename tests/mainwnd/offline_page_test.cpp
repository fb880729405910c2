// The offline page in the real main window: the home browser's failures
// through its event sink bring it, and its tries of a loopback portal of
// the test's own decide when it goes and the home page loads again.
#include <winsock2.h>  // before any windows.h

#include <exdispid.h>

#include <atomic>
#include <string>

#include "box/web/offline_page_host.h"
#include "box/web/tabbrowser.h"
#include "tests/mainwnd/open_main_window.h"
#include "tests/support/event_args.h"
#include "tests/support/loopback_server.h"

namespace tamvelo::test {
namespace {

constexpr LONG kDownloadFailure = static_cast<LONG>(0x800C0008);  // Wine's status for refused and unknown
constexpr LONG kTimeout = static_cast<LONG>(0x800C000B);
constexpr LONG kClassNotRegistered = static_cast<LONG>(0x80040154);  // the missing HTML engine

class OfflinePageTest : public OpenMainWindowTest {
 protected:
  void SetUp() override {
    OpenMainWindowTest::SetUp();
    // A portal of the test's own: nothing listens until a test starts a server.
    port_ = ClosedPort();
    web::OfflinePortal() = "http://127.0.0.1:" + std::to_string(port_);
    page_ = web::OfflinePortal() + "/box/index.html";
    pm_ = window()->GetPaintManager();
    pages_ = static_cast<DuiLib::CTabLayoutUI*>(pm_->FindControl("body_main_tablayout"));
  }

  CTabbrowserUI* browser() const { return window()->GetHomeBrowser(); }

  // The event as the browser sends it for a frame; the cancel flag as the
  // sink left it.
  VARIANT_BOOL FailNavigation(IDispatch* frame, const std::string& address, LONG status) {
    VARIANT url, target, code;
    VariantInit(&url);
    VariantInit(&target);
    VariantInit(&code);
    url.vt = VT_BSTR;
    url.bstrVal = SysAllocString(Utf8ToWide(address).c_str());
    target.vt = VT_BSTR;
    target.bstrVal = SysAllocString(L"");
    code.vt = VT_I4;
    code.lVal = status;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    EventArgs args;
    args.Dispatch(frame).VariantRef(&url).VariantRef(&target).VariantRef(&code).BoolRef(&cancel);
    EXPECT_EQ(Fire(static_cast<IDispatch*>(browser()), DISPID_NAVIGATEERROR, args), S_OK);
    VariantClear(&url);
    VariantClear(&target);
    return cancel;
  }
  VARIANT_BOOL FailTopFrame(LONG status) { return FailNavigation(browser()->GetWebBrowser2(), page_, status); }

  bool OfflineShown() const { return pages_->GetCurSel() == pages_->GetItemIndex(pm_->FindControl("page_offline")); }
  bool HomeShown() const { return pages_->GetCurSel() == pages_->GetItemIndex(pm_->FindControl("page_home")); }
  std::string Text(const char* name) const { return pm_->FindControl(name)->GetText().GetData(); }
  void Click(const char* name) {
    Pump(50);  // laid out
    const RECT place = pm_->FindControl(name)->GetPos();
    const LPARAM point = MAKELPARAM((place.left + place.right) / 2, (place.top + place.bottom) / 2);
    PostMessageA(hwnd(), WM_MOUSEMOVE, 0, point);
    PostMessageA(hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(hwnd(), WM_LBUTTONUP, 0, point);
  }
  bool ReasonBecomes(const std::string& utf8, DWORD timeoutMs = 10000) {
    return PumpUntil([&] { return Text("offline_reason") == Utf8ToAnsi(utf8); }, timeoutMs);
  }

  unsigned short port_ = 0;
  std::string page_;
  DuiLib::CPaintManagerUI* pm_ = nullptr;
  DuiLib::CTabLayoutUI* pages_ = nullptr;
};

TEST_F(OfflinePageTest, OnlyATopFrameOutageOfAPortalPageBringsIt) {
  IDispatch* top = browser()->GetWebBrowser2();
  IDispatch* subFrame = browser()->m_pClientCall.Get();  // any object but the browser itself
  const struct {
    const char* what;
    IDispatch* frame;
    std::string address;
    LONG status;
  } quiet[] = {
      {"a sub-frame", subFrame, page_, kDownloadFailure},
      {"the missing HTML engine", top, page_, kClassNotRegistered},
      {"outside the portal", top, "http://127.0.0.1/box/index.html", kDownloadFailure},
      {"a redirect", top, page_, 302},
  };
  for (const auto& row : quiet) {
    EXPECT_EQ(FailNavigation(row.frame, row.address, row.status), VARIANT_FALSE) << row.what;
    EXPECT_TRUE(HomeShown()) << row.what;
  }

  EXPECT_EQ(FailTopFrame(kDownloadFailure), VARIANT_TRUE) << "the platform's error page is cancelled";
  EXPECT_TRUE(OfflineShown());
  EXPECT_FALSE(IsWindowVisible(browser()->GetHostWindow()));
  EXPECT_TRUE(pm_->FindControl("body_main_left")->IsVisible()) << "in the home page's place, beside the left column";
  EXPECT_EQ(Text("offline_reason"), Utf8ToAnsi(u8"无法建立网络连接，请检查网络是否正常"));
  EXPECT_EQ(Text("offline_countdown"), Utf8ToAnsi(u8"将在 1 秒后自动重试"));

  // Whatever brings the home page back brings this page while the portal is away.
  DuiLib::TNotifyUI click;
  click.sType = DUI_MSGTYPE_CLICK;
  click.pSender = pm_->FindControl("gamephone");
  window()->OnClick(click);
  EXPECT_FALSE(OfflineShown());
  click.pSender = pm_->FindControl("gamehome");
  window()->OnClick(click);
  EXPECT_TRUE(OfflineShown());
}

TEST_F(OfflinePageTest, TheTriesAnswerDecidesAndTheHomePageLoadsAgain) {
  ASSERT_EQ(FailTopFrame(kTimeout), VARIANT_TRUE);
  ASSERT_EQ(Text("offline_reason"), Utf8ToAnsi(u8"游戏大厅的服务器没有及时响应"));

  // Nothing listens: refused.
  Click("offline_retry_btn");
  ASSERT_TRUE(ReasonBecomes(u8"无法建立网络连接，请检查网络是否正常"));
  EXPECT_TRUE(OfflineShown());

  // The portal answers 503 to "重试", then 200 to the automatic try a
  // second later; the home browser's own request follows.
  std::atomic<int> answers{0};
  LoopbackServer portal(
      [&](SOCKET peer, const std::string&) {
        SendAll(peer, answers++ == 0 ? "HTTP/1.1 503 Service Unavailable\r\nContent-Length: 0\r\n\r\n"
                                     : OkResponse("<html></html>"));
      },
      4, port_);
  Click("offline_retry_btn");
  ASSERT_TRUE(ReasonBecomes(u8"游戏大厅的服务器返回了错误（状态码 503）"));
  EXPECT_TRUE(OfflineShown());

  ASSERT_TRUE(PumpUntil([&] { return HomeShown(); }, 10000));
  ASSERT_TRUE(PumpUntil([&] { return portal.Requests().size() >= 3; }, 10000)) << "the home browser loads the page";
  const std::string browserRequest = portal.Requests()[2];
  EXPECT_EQ(RequestPath(browserRequest), "/box/index.html");
  EXPECT_EQ(browserRequest.find("MSIE 5.00; Windows 98"), std::string::npos) << "not the box's own client";
  Pump(200);
  EXPECT_TRUE(HomeShown()) << "the engine's error for the loaded page is no outage";
  EXPECT_TRUE(IsWindowVisible(browser()->GetHostWindow()));
}

}  // namespace
}  // namespace tamvelo::test
