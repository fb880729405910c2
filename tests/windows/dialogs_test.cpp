// About box, alt-account window and the pop-up menus on the real main
// window, with screenshots of each.
#include <functional>

#include "box/web/tabbrowser.h"
#include "box/windows/about_wnd.h"
#include "box/windows/close_hint_dialog.h"
#include "box/windows/down_sel_menu.h"
#include "box/windows/main_menu.h"
#include "box/windows/message_wnd.h"
#include "box/windows/popup_menu.h"
#include "box/windows/setting_wnd.h"
#include "box/windows/skin_wnd.h"
#include "box/windows/tray_menu.h"
#include "common/portal_address.h"
#include "common/protocol.h"
#include "tests/windows/ui_helpers.h"
#include "tests/support/main_window_fixture.h"
#include "tests/support/navigation_recorder.h"
#include "tests/support/window_helpers.h"

namespace tamvelo::test {
namespace {

using DialogsTest = MainWindowTest;

RECT WindowRect(HWND window) {
  RECT rc;
  GetWindowRect(window, &rc);
  return rc;
}

// Opens the menu (again) and clicks one of its items.
void Choose(CPopupMenu* menu, const char* item) {
  menu->ShowWindow(true, true);
  ClickControl(menu->GetHWND(), *menu->GetPaintManager(), item);
}

TEST_F(DialogsTest, AboutBoxShowsTheVersionAndOpensOnceCentredOverTheMainWindow) {
  CreateMainWindow();
  auto* about = Owned<CAboutWnd>();
  EXPECT_EQ(std::string(about->GetPaintManager()->FindControl("version")->GetText().GetData()), "版本号：v1.0");
  window()->ShowAboutWindow();
  PumpToolkit();
  const RECT mainRect = WindowRect(hwnd());
  const RECT first = WindowRect(about->GetHWND());
  EXPECT_NEAR((first.left + first.right) / 2, (mainRect.left + mainRect.right) / 2, 1);
  EXPECT_NEAR((first.top + first.bottom) / 2, (mainRect.top + mainRect.bottom) / 2, 1);
  SaveScreenshot(about->GetHWND(), "about");

  MoveWindow(about->GetHWND(), 5, 5, first.right - first.left, first.bottom - first.top, TRUE);
  window()->ShowAboutWindow();
  const RECT second = WindowRect(about->GetHWND());
  EXPECT_TRUE(EqualRect(&first, &second));
  int count = 0;
  for (HWND w = FindWindowExA(nullptr, nullptr, "AboutWnd", nullptr); w != nullptr;
       w = FindWindowExA(nullptr, w, "AboutWnd", nullptr)) {
    ++count;
  }
  EXPECT_EQ(count, 1);

  ClickControl(about->GetHWND(), *about->GetPaintManager(), "yesbtn");
  EXPECT_FALSE(about->IsShown());
  EXPECT_FALSE(IsWindowVisible(about->GetHWND()));
}

// What the alt-account window's "shown" flag was while it came on screen.
CMessageWnd* g_observedWindow = nullptr;
WNDPROC g_observedProc = nullptr;
bool g_shownWhileShowing = true;

LRESULT CALLBACK ObserveShowing(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SHOWWINDOW && wParam) g_shownWhileShowing = g_observedWindow->IsShown();
  return CallWindowProcA(g_observedProc, window, message, wParam, lParam);
}

TEST_F(DialogsTest, AltAccountWindowOpensWithItsTitleAndHidesWithItsOwnCloseButton) {
  CreateMainWindow();
  auto* altAccount = Owned<CMessageWnd>();
  ASSERT_NE(altAccount->GetBrowser(), nullptr);
  EXPECT_EQ(altAccount->GetBrowser()->m_pTabBar, window()->GetTabBar());
  EXPECT_EQ(altAccount->GetBrowser()->m_pOwnerWnd, altAccount);
  g_observedWindow = altAccount;
  g_observedProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(altAccount->GetHWND(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ObserveShowing)));
  window()->ShowAltAccountWindow();
  SetWindowLongPtrA(altAccount->GetHWND(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_observedProc));
  EXPECT_FALSE(g_shownWhileShowing) << "marked shown only once it is on screen";
  PumpToolkit();
  EXPECT_TRUE(altAccount->IsShown());
  EXPECT_EQ(std::string(altAccount->GetPaintManager()->FindControl("text1")->GetText().GetData()), "小号多开");
  SaveScreenshot(altAccount->GetHWND(), "alt_account");
  // Hidden with the main altAccount and back with it.
  window()->HideMainWindow();
  EXPECT_FALSE(IsWindowVisible(altAccount->GetHWND()));
  window()->RestoreMainWindow();
  EXPECT_TRUE(IsWindowVisible(altAccount->GetHWND()));
  ClickControl(altAccount->GetHWND(), *altAccount->GetPaintManager(), "closebtn1");
  EXPECT_FALSE(altAccount->IsShown());
  EXPECT_FALSE(IsWindowVisible(altAccount->GetHWND()));
}

// The settings window, the close prompt and the about box take a click only
// by the control's exact name; the skin chooser and the alt-account window
// take it in any case.
TEST_F(DialogsTest, ClickNamesAreMatchedExactlyOrInAnyCaseAsEachWindowDoes) {
  CreateMainWindow();
  struct Row {
    CSmallWnd* window;
    std::function<void()> open;
    const char* control;
    const char* clickedAs;
    bool hides;
  };
  const Row rows[] = {
      {Owned<CSettingWnd>(), [this] { window()->ShowSettingsWindow(); }, "yesbtn", "YesBtn", false},
      {Owned<CSettingWnd>(), [this] { window()->ShowSettingsWindow(); }, "closebtn", "CLOSEBTN", false},
      {Owned<CCloseHintDialog>(), [this] { window()->OnCloseButton(); }, "nobtn", "NOBTN", false},
      {Owned<CAboutWnd>(), [this] { window()->ShowAboutWindow(); }, "yesbtn", "YESBTN", false},
      {Owned<CSkinWnd>(), [this] { ClickControl(hwnd(), *window()->GetPaintManager(), "skinbtn"); }, "yesbtn", "YesBtn",
       true},
      {Owned<CMessageWnd>(), [this] { window()->ShowAltAccountWindow(); }, "closebtn1", "CloseBtn1", true},
  };
  for (const Row& row : rows) {
    row.open();
    PumpToolkit();
    ASSERT_TRUE(row.window->IsShown()) << row.clickedAs;
    DuiLib::CControlUI* control = row.window->GetPaintManager()->FindControl(row.control);
    ASSERT_NE(control, nullptr) << row.control;
    control->SetName(row.clickedAs);
    ClickControl(row.window->GetHWND(), control);
    control->SetName(row.control);
    EXPECT_EQ(row.window->IsShown(), !row.hides) << row.clickedAs;
    EXPECT_EQ(IsWindowVisible(row.window->GetHWND()) == FALSE, row.hides) << row.clickedAs;
    row.window->HideWindow();
  }
  EXPECT_TRUE(IsWindowVisible(hwnd()));
  EXPECT_FALSE(TakeQuit(kToolkitFilter));
}

TEST_F(DialogsTest, MainMenuOpensAtTheClickAndItsItemsAct) {
  CreateMainWindow();
  auto* menu = Owned<CDuiMenu>();
  window()->GetPaintManager();
  POINT point = {40, 20};
  menu->ShowAt(hwnd(), point);
  menu->ShowWindow(true, true);
  PumpToolkit();
  ClientToScreen(hwnd(), &point);
  const RECT rc = WindowRect(menu->GetHWND());
  EXPECT_EQ(rc.left, point.x);
  EXPECT_EQ(rc.top, point.y);
  SaveScreenshot(menu->GetHWND(), "main_menu");

  ClickControl(menu->GetHWND(), *menu->GetPaintManager(), "setting");
  EXPECT_FALSE(IsWindowVisible(menu->GetHWND()));
  EXPECT_TRUE(Owned<CSettingWnd>()->IsShown());

  Choose(menu, "about");
  EXPECT_TRUE(Owned<CAboutWnd>()->IsShown());

  Choose(menu, "quit_menu_btn");
  EXPECT_FALSE(IsWindowVisible(menu->GetHWND()));
  EXPECT_TRUE(TakeQuit(kToolkitFilter));  // labelled "退出": it quits
}

TEST_F(DialogsTest, MenuLosingTheFocusHidesWithoutAnyAction) {
  CreateMainWindow();
  for (DuiLib::CWindowWnd* menu : std::initializer_list<DuiLib::CWindowWnd*>{
           Owned<CDuiMenu>(), Owned<CDownSelMenu>(), Owned<CTrayMenu>()}) {
    const HWND window = menu->GetHWND();
    // Without a window manager a late focus event of the display may take
    // the focus away once more: open the menu until it holds the focus.
    ASSERT_TRUE(tamvelo::test::PumpUntil(
        [&] {
          if (IsWindowVisible(window) && GetFocus() == window) return true;
          menu->ShowWindow(true, true);
          SetFocus(window);
          return false;
        },
        2000));
    SetForegroundWindow(hwnd());
    SetFocus(hwnd());  // a click on the main window
    EXPECT_TRUE(tamvelo::test::PumpUntil([&] { return !IsWindowVisible(window); }, 2000));
  }
  EXPECT_FALSE(Owned<CSettingWnd>()->IsShown());
  EXPECT_FALSE(Owned<CAboutWnd>()->IsShown());
  EXPECT_FALSE(Owned<CMessageWnd>()->IsShown());
  EXPECT_TRUE(IsWindowVisible(hwnd()));
  EXPECT_FALSE(TakeQuit(kToolkitFilter));
}

// Each opening of the alt-account window loads its start page afresh; the
// alt-account login its page asks for without "?directopen" hides the window
// and becomes a tab.
TEST_F(DialogsTest, AltAccountWindowReloadsItsStartPageAndItsLoginBecomesATab) {
  CreateMainWindow();
  auto* altAccount = Owned<CMessageWnd>();
  CTabbrowserUI* browser = altAccount->GetBrowser();
  DuiLib::CWebBrowserEventHandler* handler = browser->GetWebBrowserEventHandler();
  NavigationRecorder recorder;
  browser->SetWebBrowserEventHandler(&recorder);
  const std::string start = tamvelo::PortalAddress(tamvelo::kAltAccountPagePath);
  for (int opening = 1; opening <= 2; ++opening) {
    window()->ShowAltAccountWindow();
    EXPECT_TRUE(tamvelo::test::PumpUntil([&] { return recorder.count == opening; }, 5000)) << opening;
    EXPECT_EQ(recorder.last, start);
    ClickControl(altAccount->GetHWND(), *altAccount->GetPaintManager(), "closebtn1");
  }
  browser->SetWebBrowserEventHandler(handler);

  window()->ShowAltAccountWindow();
  VARIANT_BOOL cancel = VARIANT_FALSE;
  BSTR login = SysAllocString(L"http://127.0.0.1/box/login_xiaohao?id=2");
  handler->NewWindow3(browser, nullptr, &cancel, 0, nullptr, login);
  SysFreeString(login);
  EXPECT_EQ(cancel, VARIANT_TRUE);
  EXPECT_FALSE(altAccount->IsShown());
  EXPECT_FALSE(IsWindowVisible(altAccount->GetHWND()));
  EXPECT_EQ(TabCount(), 1);
}

// The menu's "website" item and the update check's message 1125 go to their
// page through the home browser, meant for a new window (Wine's browser
// drops the frame name "_blank" before its events, so only the address is
// seen here).
TEST_F(DialogsTest, WebsiteItemAndTheUpdateMessageOpenTheirPageInANewWindow) {
  CreateMainWindow();
  NavigationRecorder recorder;
  CTabbrowserUI* home = window()->GetHomeBrowser();
  DuiLib::CWebBrowserEventHandler* handler = home->GetWebBrowserEventHandler();
  home->SetWebBrowserEventHandler(&recorder);
  auto* menu = Owned<CDuiMenu>();
  const std::pair<std::string, std::function<void()>> rows[] = {
      {tamvelo::PortalAddress("/?directopen"), [&] { Choose(menu, "website"); }},
      {tamvelo::kDownloadPageAddress.data(),
       [&] {
         PostMessageA(hwnd(), tamvelo::protocol::kMsgOpenInNewWindow,
                      reinterpret_cast<WPARAM>(tamvelo::kDownloadPageAddress.data()), 0);
       }},
  };
  for (const auto& [address, open] : rows) {
    recorder.last.clear();
    open();
    EXPECT_TRUE(tamvelo::test::PumpUntil([&] { return recorder.last == address; }, 5000))
        << address << ", last address: " << recorder.last;
  }
  home->SetWebBrowserEventHandler(handler);
  EXPECT_FALSE(IsWindowVisible(menu->GetHWND()));
  EXPECT_FALSE(TakeQuit(kToolkitFilter));
}

TEST_F(DialogsTest, AccountMenuItemsAct) {
  CreateMainWindow();
  auto* menu = Owned<CDownSelMenu>();
  menu->ShowAt(hwnd(), {900, 30});
  menu->ShowWindow(true, true);
  PumpToolkit();
  SaveScreenshot(menu->GetHWND(), "account_menu");
  ClickControl(menu->GetHWND(), *menu->GetPaintManager(), "mulbtn");
  EXPECT_FALSE(IsWindowVisible(menu->GetHWND()));
  EXPECT_TRUE(Owned<CMessageWnd>()->IsShown());

  // "logout" sends the home page to the portal's log-out address.
  NavigationRecorder recorder;
  CTabbrowserUI* home = window()->GetHomeBrowser();
  DuiLib::CWebBrowserEventHandler* handler = home->GetWebBrowserEventHandler();
  home->SetWebBrowserEventHandler(&recorder);
  Choose(menu, "logout");
  EXPECT_FALSE(IsWindowVisible(menu->GetHWND()));
  EXPECT_TRUE(tamvelo::test::PumpUntil([&] { return recorder.Saw("/box/logout"); }, 5000))
      << "last address: " << recorder.last;
  home->SetWebBrowserEventHandler(handler);
  EXPECT_FALSE(TakeQuit(kToolkitFilter));

  Choose(menu, "quit_menu_btn");
  EXPECT_TRUE(TakeQuit(kToolkitFilter));  // labelled "退出游戏盒": it quits
}

TEST_F(DialogsTest, TrayMenuShowsTheMainWindowOpensSettingsAndQuits) {
  CreateMainWindow();
  auto* menu = Owned<CTrayMenu>();
  window()->HideMainWindow();
  Choose(menu, "show_menu_btn");
  EXPECT_TRUE(IsWindowVisible(hwnd()));
  EXPECT_FALSE(IsWindowVisible(menu->GetHWND()));

  Choose(menu, "setting_menu_btn");
  EXPECT_TRUE(Owned<CSettingWnd>()->IsShown());

  Choose(menu, "quit_menu_btn");
  EXPECT_TRUE(TakeQuit(kToolkitFilter));
}

}  // namespace
}  // namespace tamvelo::test
