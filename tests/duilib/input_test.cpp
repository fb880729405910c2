// Mouse and keyboard on a real window: hover, press and click states,
// tooltips, focus with Tab and Return, delegates, and controls removed from
// inside their own notifications.
#include <gtest/gtest.h>
#include <string.h>
#include <windows.h>

#include <commctrl.h>

#include "tests/duilib/skin_fixture.h"

namespace tamvelo::test {

using namespace DuiLib;

namespace {

const char kSkin[] = u8R"(<Window size="300,200">
  <HorizontalLayout name="root" bkcolor="#FFFFFFFF" childpadding="10" inset="10,10,10,10">
    <Button name="ok" width="80" height="30" text="确定" tooltip="保存设置"/>
    <Button name="off" width="80" height="30" enabled="false"/>
    <Container name="box" width="80">
      <Label name="plain" height="30" mouse="true"/>
    </Container>
  </HorizontalLayout>
</Window>)";

struct Window : testing::Test {
  void SetUp() override {
    skin.Write("xml\\input.xml", kSkin);
    hWnd = wnd.CreateTest();
    ASSERT_NE(hWnd, nullptr);
    ok = dynamic_cast<CButtonUI*>(wnd.Find("ok"));
    ASSERT_NE(ok, nullptr);
  }
  void TearDown() override { wnd.Destroy(); }
  SkinFolder skin;
  TestWindow wnd{"xml//input.xml"};
  HWND hWnd = nullptr;
  CButtonUI* ok = nullptr;
};

// Counts destructions, to see when a removed control really goes.
class Tracked : public CButtonUI {
 public:
  explicit Tracked(bool* gone) : gone_(gone) {}
  ~Tracked() override { *gone_ = true; }

 private:
  bool* gone_;
};

struct Listener {
  int calls = 0;
  bool result = true;
  bool OnNotify(void* param) {
    // The button also tells of its focus; count the clicks.
    lastType = static_cast<TNotifyUI*>(param)->sType.GetData();
    if (lastType == DUI_MSGTYPE_CLICK) ++calls;
    return result;
  }
  std::string lastType;
};

}  // namespace

TEST_F(Window, HoverPressAndReleaseGiveOneClickWithTheMousePoint) {
  tamvelo::test::MouseMove(hWnd, 20, 20);
  EXPECT_NE(ok->GetButtonState() & UISTATE_HOT, 0u);
  tamvelo::test::MouseDown(hWnd, 20, 20);
  EXPECT_NE(ok->GetButtonState() & UISTATE_PUSHED, 0u);
  EXPECT_TRUE(ok->IsFocused());
  EXPECT_EQ(wnd.CountOf(DUI_MSGTYPE_CLICK), 0) << "a click needs the release";
  // Dragging off the button drops the pressed look, back on restores it.
  tamvelo::test::MouseMove(hWnd, 200, 100);
  EXPECT_EQ(ok->GetButtonState() & UISTATE_PUSHED, 0u);
  tamvelo::test::MouseMove(hWnd, 25, 25);
  EXPECT_NE(ok->GetButtonState() & UISTATE_PUSHED, 0u);
  POINT clickPoint = {0, 0};
  wnd.onNotify = [&](TNotifyUI& msg) {
    if (msg.sType == DUI_MSGTYPE_CLICK) clickPoint = msg.ptMouse;
  };
  tamvelo::test::MouseUp(hWnd, 25, 25);
  EXPECT_EQ(wnd.CountOf(DUI_MSGTYPE_CLICK, "ok"), 1);
  EXPECT_EQ(clickPoint.x, 25);
  EXPECT_EQ(clickPoint.y, 25);
  EXPECT_EQ(ok->GetButtonState() & (UISTATE_PUSHED | UISTATE_CAPTURED), 0u);
  tamvelo::test::MouseMove(hWnd, 200, 150);
  EXPECT_EQ(ok->GetButtonState() & UISTATE_HOT, 0u);
}

TEST_F(Window, ReleaseOutsideOrOnADisabledButtonIsNoClick) {
  tamvelo::test::MouseDown(hWnd, 20, 20);
  tamvelo::test::MouseMove(hWnd, 250, 150);
  tamvelo::test::MouseUp(hWnd, 250, 150);
  tamvelo::test::Click(hWnd, 110, 20);  // "off"
  EXPECT_EQ(wnd.CountOf(DUI_MSGTYPE_CLICK), 0);
  // Losing the capture (another window took it) releases without a click.
  tamvelo::test::MouseDown(hWnd, 20, 20);
  SendMessageA(hWnd, WM_CAPTURECHANGED, 0, 0);
  EXPECT_EQ(ok->GetButtonState() & UISTATE_PUSHED, 0u);
  tamvelo::test::MouseUp(hWnd, 20, 20);
  EXPECT_EQ(wnd.CountOf(DUI_MSGTYPE_CLICK), 0);
}

TEST(ContainerEvents, ButtonDownOnAPlainChildReachesTheContainer) {
  // The way a tab button container selects its tab: event type 13 bubbles
  // up from a child that does not handle it.
  struct DownCounter : CContainerUI {
    int downs = 0;
    void DoEvent(TEventUI& event) override {
      if (event.Type == 13) ++downs;
      CContainerUI::DoEvent(event);
    }
  };
  SkinFolder skin;
  skin.Write("xml\\watch.xml", u8R"(<Window size="200,100"><HorizontalLayout>
      <Watch name="watch"><Label name="plain" width="100"/></Watch></HorizontalLayout></Window>)");
  TestWindow wnd("xml//watch.xml");
  DownCounter* counter = nullptr;
  wnd.createControl = [&](const char* name) -> CControlUI* {
    if (strcmp(name, "Watch") == 0) return counter = new DownCounter;
    return nullptr;
  };
  HWND hWnd = wnd.CreateTest();
  ASSERT_NE(hWnd, nullptr);
  ASSERT_NE(counter, nullptr);
  EXPECT_EQ(wnd.Find("watch"), counter);
  tamvelo::test::Click(hWnd, 50, 50);   // on the label
  tamvelo::test::Click(hWnd, 150, 50);  // on the container itself
  EXPECT_EQ(counter->downs, 2);
  wnd.Destroy();
}

TEST_F(Window, HoverShowsTheToolTipAndLeavingHidesIt) {
  tamvelo::test::MouseMove(hWnd, 20, 20);
  SendMessageA(hWnd, WM_MOUSEHOVER, 0, MAKELPARAM(20, 20));
  HWND tip = wnd.pm().GetTooltipWindow();
  ASSERT_NE(tip, nullptr);
  EXPECT_TRUE(IsWindowVisible(tip));
  char text[64] = {};
  TOOLINFOA ti = {};
  ti.cbSize = sizeof(ti);
  ti.hwnd = hWnd;
  ti.uId = reinterpret_cast<UINT_PTR>(hWnd);
  ti.lpszText = text;
  SendMessageA(tip, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&ti));
  EXPECT_STREQ(text, "保存设置");
  SendMessageA(hWnd, WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(tip));
  // A control without a tooltip shows none.
  tamvelo::test::MouseMove(hWnd, 200, 20);
  SendMessageA(hWnd, WM_MOUSEHOVER, 0, MAKELPARAM(200, 20));
  EXPECT_FALSE(IsWindowVisible(tip));
}

TEST_F(Window, TabWalksTheFocusAndReturnActivatesTheFocusedButton) {
  wnd.Find("off")->SetEnabled(true);
  tamvelo::test::Key(hWnd, VK_TAB);
  EXPECT_EQ(wnd.pm().GetFocus(), wnd.Find("ok"));
  tamvelo::test::Key(hWnd, VK_TAB);
  EXPECT_EQ(wnd.pm().GetFocus(), wnd.Find("off"));
  tamvelo::test::Key(hWnd, VK_TAB);
  EXPECT_EQ(wnd.pm().GetFocus(), wnd.Find("ok")) << "wraps around";
  tamvelo::test::Key(hWnd, VK_RETURN);
  EXPECT_EQ(wnd.CountOf(DUI_MSGTYPE_CLICK, "ok"), 1);
  tamvelo::test::Key(hWnd, VK_SPACE);
  EXPECT_EQ(wnd.CountOf(DUI_MSGTYPE_CLICK, "ok"), 2);
  // A window that answers Return itself keeps it from the button.
  wnd.defaultKey = [](WPARAM vk) -> LRESULT { return vk == VK_RETURN; };
  tamvelo::test::Key(hWnd, VK_RETURN);
  EXPECT_EQ(wnd.CountOf(DUI_MSGTYPE_CLICK, "ok"), 2);
  // Escape does nothing by default: the window stays.
  wnd.defaultKey = nullptr;
  tamvelo::test::Key(hWnd, VK_ESCAPE);
  EXPECT_TRUE(IsWindow(hWnd));
}

TEST_F(Window, DelegatesSeeNotificationsOfTheirControlAndCanBeRemoved) {
  Listener first, second;
  ok->OnNotify += MakeDelegate(&first, &Listener::OnNotify);
  ok->OnNotify += MakeDelegate(&first, &Listener::OnNotify);  // kept once
  ok->OnNotify += MakeDelegate(&second, &Listener::OnNotify);
  tamvelo::test::Click(hWnd, 20, 20);
  EXPECT_EQ(first.calls, 1);
  EXPECT_EQ(second.calls, 1);
  EXPECT_EQ(first.lastType, DUI_MSGTYPE_CLICK);
  // A handler answering false stops the ones after it, not the window.
  first.result = false;
  tamvelo::test::Click(hWnd, 20, 20);
  EXPECT_EQ(first.calls, 2);
  EXPECT_EQ(second.calls, 1);
  EXPECT_EQ(wnd.CountOf(DUI_MSGTYPE_CLICK, "ok"), 2);
  ok->OnNotify -= MakeDelegate(&first, &Listener::OnNotify);
  tamvelo::test::Click(hWnd, 20, 20);
  EXPECT_EQ(first.calls, 2);
  EXPECT_EQ(second.calls, 2);
}

TEST_F(Window, AControlRemovedByItsOwnClickHandlerGoesSafelyAfterTheMessage) {
  auto* box = static_cast<CContainerUI*>(wnd.Find("box")->GetInterface(DUI_CTR_CONTAINER));
  ASSERT_NE(box, nullptr);
  bool gone = false;
  auto* doomed = new Tracked(&gone);
  doomed->SetName("doomed");
  ASSERT_TRUE(box->Add(doomed));
  tamvelo::test::Paint(hWnd);
  const RECT pos = doomed->GetPos();
  struct Remover {
    CContainerUI* box;
    bool OnNotify(void* param) {
      auto* msg = static_cast<TNotifyUI*>(param);
      if (msg->sType == DUI_MSGTYPE_CLICK) box->Remove(msg->pSender);
      return true;
    }
  } remover{box};
  doomed->OnNotify += MakeDelegate(&remover, &Remover::OnNotify);
  const int x = (pos.left + pos.right) / 2, y = (pos.top + pos.bottom) / 2;
  tamvelo::test::MouseDown(hWnd, x, y);
  tamvelo::test::MouseUp(hWnd, x, y);
  EXPECT_EQ(wnd.CountOf(DUI_MSGTYPE_CLICK, "doomed"), 1) << "the window still heard the click";
  EXPECT_EQ(wnd.Find("doomed"), nullptr);
  EXPECT_EQ(box->GetItemIndex(doomed), -1);
  tamvelo::test::PumpToolkit();
  EXPECT_TRUE(gone);
  // The mouse goes on over the place it was.
  tamvelo::test::MouseMove(hWnd, x, y);
  tamvelo::test::Click(hWnd, x, y);
}

}  // namespace tamvelo::test
