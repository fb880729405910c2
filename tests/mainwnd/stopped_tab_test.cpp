// A tab whose process ended offers to reopen it: selecting it shows the
// body's own page, a live tab or the home page hides it again, and the
// page's button starts a fresh process for the same address, which gets the
// portal's cookies as a new tab does. The tabs are the stand-in tab program
// following the protocol, which shows the record it got in its host
// window's title.
#include <windows.h>
#include <wininet.h>

#include <string>

#include "box/tabs/tab_watch.h"
#include "common/portal_settings.h"
#include "tests/mainwnd/open_main_window.h"

namespace tamvelo::test {
namespace {

namespace tabs = tamvelo::tabs;

constexpr char kCookie[] = "stopped_tab_test=1";
constexpr char kAddress[] = "http://127.0.0.1/game/7.html";

class StoppedTabs : public OpenMainWindowTest {
 protected:
  void SetUp() override {
    OpenMainWindowTest::SetUp();
    pm_ = window()->GetPaintManager();
    pages_ = static_cast<DuiLib::CTabLayoutUI*>(pm_->FindControl("body_main_tablayout"));
  }
  bool PageShown() const {
    return pages_->GetCurSel() == pages_->GetItemIndex(pm_->FindControl("page_stopped"));
  }
  bool LeftColumnShown() const { return pm_->FindControl("body_main_left")->IsVisible(); }
  std::string Text(int index) const { return Tab(index).button->GetTabButton()->GetText().GetData(); }
  std::string ToolTip(int index) const { return Tab(index).button->GetTabButton()->GetToolTip().GetData(); }
  // The text of the last record the tab's process received.
  std::string Received(int index) const {
    char text[512] = {};
    GetWindowTextA(Tab(index).hostWindow, text, sizeof text);
    return text;
  }
  void EndProcess(int index) {
    ASSERT_TRUE(TerminateProcess(Tab(index).processHandle, 9));
    ASSERT_TRUE(PumpUntil([&] { return Tab(index).ended(); }, 3000));
  }
  void Click(const char* name) { PostClick(hwnd(), pm_->FindControl(name)); }

  DuiLib::CPaintManagerUI* pm_ = nullptr;
  DuiLib::CTabLayoutUI* pages_ = nullptr;

 private:
  GameTabProgramReplaced program_{"stand-in-tab.exe follow"};
};

TEST_F(StoppedTabs, ThePageShowsForTheStoppedTabOnly) {
  ASSERT_NE(OpenTab("A"), nullptr);
  ASSERT_NE(OpenTab("B"), nullptr);
  EndProcess(0);
  EXPECT_FALSE(PageShown()) << "the shown tab B is alive";

  strip()->SelectTab(Tab(0).button);
  EXPECT_TRUE(PageShown());
  EXPECT_FALSE(LeftColumnShown()) << "the page takes the game's whole place";
  EXPECT_FALSE(TabShown(1));
  EXPECT_FALSE(window()->IsFullScreenAvailable());

  strip()->SelectTab(Tab(1).button);
  EXPECT_FALSE(PageShown());
  EXPECT_TRUE(TabShown(1));
  EXPECT_TRUE(window()->IsFullScreenAvailable());

  strip()->SelectTab(Tab(0).button);
  window()->SelectHomeTab();
  EXPECT_FALSE(PageShown());
  EXPECT_EQ(pages_->GetCurSel(), 0);
  EXPECT_TRUE(LeftColumnShown());

  // The shown tab ending brings the page at once.
  strip()->SelectTab(Tab(1).button);
  EndProcess(1);
  EXPECT_TRUE(PageShown());
  EXPECT_FALSE(window()->IsFullScreenAvailable());

  // A stopped tab still closes; the one left is stopped too, so the page stays.
  strip()->CloseTab(1);
  EXPECT_EQ(TabCount(), 1);
  EXPECT_EQ(strip()->GetCurrentTabIndex(), 0);
  EXPECT_TRUE(PageShown());
  strip()->CloseTab(0);
  EXPECT_FALSE(PageShown());
  EXPECT_TRUE(LeftColumnShown());
}

TEST_F(StoppedTabs, ReopenStartsAFreshProcessForTheSameAddressWithTheCookies) {
  ASSERT_TRUE(InternetSetCookieA(kPortalRootUrl, nullptr, kCookie));
  const std::string expected = std::string(kCookie) + "||" + kAddress;
  ASSERT_NE(OpenTab("game", kAddress), nullptr);
  ASSERT_EQ(Received(0), expected);
  const DWORD oldId = Tab(0).processId;
  const HANDLE oldProcess = Tab(0).processHandle;
  const HANDLE oldThread = Tab(0).threadHandle;
  const DWORD oldThreadId = GetThreadId(oldThread);
  EndProcess(0);
  ASSERT_TRUE(PageShown());
  ASSERT_NE(Text(0), "game");

  Click("reopen_btn");
  ASSERT_TRUE(PumpUntil([&] { return Tab(0).life.stage() == tabs::TabStage::Running; }, 5000));
  Pump(50);
  EXPECT_NE(Tab(0).processId, oldId);
  EXPECT_EQ(GetProcessId(Tab(0).processHandle), Tab(0).processId);
  EXPECT_EQ(WaitForSingleObject(Tab(0).processHandle, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_EQ(Tab(0).address, kAddress);
  EXPECT_EQ(Received(0), expected);
  EXPECT_EQ(Text(0), "game");
  EXPECT_EQ(ToolTip(0), "game");
  EXPECT_FALSE(PageShown());
  EXPECT_TRUE(TabShown(0));
  EXPECT_TRUE(window()->IsFullScreenAvailable());
  // The old handles are closed: whatever their values name now, it is not
  // the old process or its thread.
  EXPECT_NE(GetProcessId(oldProcess), oldId);
  EXPECT_NE(GetThreadId(oldThread), oldThreadId);

  // The fresh process is watched as the first one was.
  EndProcess(0);
  EXPECT_TRUE(PageShown());
  InternetSetCookieA(kPortalRootUrl, nullptr, "stopped_tab_test=; expires=Thu, 01 Jan 1970 00:00:00 GMT");
}

}  // namespace
}  // namespace tamvelo::test
