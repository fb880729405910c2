// A real skinned window under Wine: skin attributes, notification maps,
// "windowinit", control lookup, painting, opacity, caption and size box.
#include <gtest/gtest.h>

#include "tests/duilib/skin_fixture.h"

namespace tamvelo::test {

using namespace DuiLib;

namespace {

const char kSkin[] = u8R"(<?xml version="1.0" encoding="utf-8"?>
<Window size="400,300" caption="0,0,0,40" sizebox="4,4,4,4" roundcorner="6,6" mininfo="300,200">
  <Font id="0" name="微软雅黑" size="12" default="true"/>
  <VerticalLayout name="root" bkcolor="#FF2080C0">
    <HorizontalLayout name="title" height="40">
      <Label name="caption_label" text="标题" textcolor="#FFFFFFFF"/>
      <Button name="closebtn" width="30" bkcolor="#FFC04040"/>
    </HorizontalLayout>
    <Control name="body" bkcolor="#FF00FF00"/>
    <Control name="veil" height="20" bkcolor="#80FFFFFF"/>
  </VerticalLayout>
</Window>)";

// A window class with a notification map of its own, chained to the base.
class MappedWindow : public TestWindow {
 public:
  using TestWindow::TestWindow;
  int anyClicks = 0;
  int bodyClicks = 0;
  void OnAnyClick(TNotifyUI&) { ++anyClicks; }
  void OnBodyClick(TNotifyUI&) { ++bodyClicks; }
  DUI_DECLARE_MESSAGE_MAP()
};

DUI_BEGIN_MESSAGE_MAP(MappedWindow, WindowImplBase)
DUI_ON_CLICK_CTRNAME("body", OnBodyClick)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, OnAnyClick)
DUI_END_MESSAGE_MAP()

// The skin above in a real window, shown unless a test opens it hidden.
class SkinnedWindow : public testing::Test {
 protected:
  SkinnedWindow() { skin.Write("xml\\main.xml", kSkin); }
  void TearDown() override { wnd.Destroy(); }
  HWND Open(bool visible = true) { return hWnd = wnd.CreateTest(visible); }

  SkinFolder skin;
  TestWindow wnd{"xml//main.xml"};
  HWND hWnd = nullptr;
};

TNotifyUI ClickFrom(CControlUI* sender) {
  TNotifyUI msg;
  msg.sType = DUI_MSGTYPE_CLICK;
  msg.pSender = sender;
  return msg;
}

}  // namespace

TEST_F(SkinnedWindow, TakesItsSizeAndShapeFromTheSkin) {
  ASSERT_NE(Open(), nullptr);
  RECT rc;
  GetWindowRect(hWnd, &rc);
  EXPECT_EQ(rc.right - rc.left, 400);
  EXPECT_EQ(rc.bottom - rc.top, 300);
  // No system frame: the client area is the whole window.
  GetClientRect(hWnd, &rc);
  EXPECT_EQ(rc.right, 400);
  EXPECT_EQ(rc.bottom, 300);
  EXPECT_EQ(GetWindowLongA(hWnd, GWL_STYLE) & WS_CAPTION, 0);
  EXPECT_EQ(wnd.initWindowCalls, 1);
  EXPECT_EQ(wnd.pm().GetRoundCorner().cx, 6);
  // Resizing below mininfo is refused.
  SetWindowPos(hWnd, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
  GetWindowRect(hWnd, &rc);
  EXPECT_EQ(rc.right - rc.left, 300);
  EXPECT_EQ(rc.bottom - rc.top, 200);
  wnd.Destroy();
  EXPECT_TRUE(wnd.finalMessage);
}

TEST(SkinnedWindowCreation, FailsCleanlyForABrokenOrMissingSkin) {
  SkinFolder skin;
  skin.Write("xml\\broken.xml", "<Window size=\"10,10\"><VerticalLayout></Window>");
  for (const char* file : {"xml//broken.xml", "xml//missing.xml"}) {
    TestWindow wnd(file);
    EXPECT_EQ(wnd.CreateTest(), nullptr) << file;
    EXPECT_EQ(wnd.GetHWND(), nullptr) << file;
    EXPECT_TRUE(wnd.finalMessage) << file;
    EXPECT_EQ(wnd.initWindowCalls, 0) << file;
    EXPECT_EQ(wnd.pm().GetRoot(), nullptr) << file;
  }
}

TEST_F(SkinnedWindow, WindowInitArrivesOnceWhenFirstShown) {
  ASSERT_NE(Open(false), nullptr);
  tamvelo::test::Paint(hWnd);
  EXPECT_EQ(wnd.CountOf(DUI_MSGTYPE_WINDOWINIT), 0) << "hidden windows are not initialised yet";
  wnd.ShowWindow(true, true);
  tamvelo::test::Paint(hWnd);
  EXPECT_EQ(wnd.CountOf(DUI_MSGTYPE_WINDOWINIT), 1);
  wnd.ShowWindow(false);
  wnd.ShowWindow(true);
  InvalidateRect(hWnd, nullptr, FALSE);
  tamvelo::test::Paint(hWnd);
  EXPECT_EQ(wnd.CountOf(DUI_MSGTYPE_WINDOWINIT), 1);
}

TEST_F(SkinnedWindow, FindsControlsByNameAndPoint) {
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(wnd.Find("absent"), nullptr);
  EXPECT_EQ(wnd.Find(nullptr), nullptr);
  EXPECT_EQ(wnd.Find("Body"), nullptr) << "names are compared exactly";
  CControlUI* closeBtn = wnd.Find("closebtn");
  ASSERT_NE(closeBtn, nullptr);
  EXPECT_EQ(closeBtn->GetPos().left, 370);
  EXPECT_EQ(wnd.pm().FindControl(POINT{380, 10}), closeBtn);
  EXPECT_EQ(wnd.pm().FindControl(POINT{200, 200}), wnd.Find("body"));
  // A control that lets the mouse through is not found by point.
  wnd.Find("body")->SetMouseEnabled(false);
  EXPECT_EQ(wnd.pm().FindControl(POINT{200, 200}), wnd.Find("root"));
}

TEST_F(SkinnedWindow, PaintsColoursAndText) {
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(tamvelo::test::PixelAt(hWnd, 200, 200), 0x00FF00u);
  EXPECT_EQ(tamvelo::test::PixelAt(hWnd, 385, 20), 0xC04040u);
  // A half-transparent white over the blue root, at its own place.
  EXPECT_EQ(tamvelo::test::PixelAt(hWnd, 200, 290), 0x90C0E0u);
  EXPECT_EQ(tamvelo::test::PixelAt(hWnd, 200, 10), 0x2080C0u);
  // The caption label draws white text over the blue background somewhere.
  bool textSeen = false;
  for (int x = 0; x < 60 && !textSeen; ++x) {
    for (int y = 10; y < 30 && !textSeen; ++y) textSeen = tamvelo::test::PixelAt(hWnd, x, y) != 0x2080C0u;
  }
  EXPECT_TRUE(textSeen);
}

TEST(NotificationMap, DispatchesByTypeAndNameAndChainsToTheBase) {
  SkinFolder skin;
  skin.Write("xml\\main.xml", kSkin);
  MappedWindow wnd("xml//main.xml");
  HWND hWnd = wnd.CreateTest();
  ASSERT_NE(hWnd, nullptr);
  TNotifyUI body = ClickFrom(wnd.Find("body"));
  wnd.Notify(body);
  EXPECT_EQ(wnd.bodyClicks, 1);
  EXPECT_EQ(wnd.anyClicks, 0) << "the first matching entry wins";
  TNotifyUI label = ClickFrom(wnd.Find("caption_label"));
  wnd.Notify(label);
  EXPECT_EQ(wnd.anyClicks, 1);
  TNotifyUI other;
  other.sType = "somethingelse";
  other.pSender = wnd.Find("body");
  wnd.Notify(other);
  EXPECT_EQ(wnd.anyClicks + wnd.bodyClicks, 2);
  wnd.Destroy();
}

TEST_F(SkinnedWindow, BaseMapHandlesTheSystemButtonNames) {
  ASSERT_NE(Open(), nullptr);
  tamvelo::test::Click(hWnd, 385, 20);  // "closebtn"
  EXPECT_EQ(wnd.CountOf(DUI_MSGTYPE_CLICK, "closebtn"), 1);
  EXPECT_TRUE(wnd.finalMessage);
  EXPECT_FALSE(IsWindow(hWnd));
}

TEST_F(SkinnedWindow, CaptionDragsAndSizeBoxResizes) {
  ASSERT_NE(Open(), nullptr);
  RECT rc;
  GetWindowRect(hWnd, &rc);
  auto hit = [&](int x, int y) {
    return SendMessageA(hWnd, WM_NCHITTEST, 0, MAKELPARAM(rc.left + x, rc.top + y));
  };
  EXPECT_EQ(hit(100, 20), HTCAPTION) << "on the caption label";
  EXPECT_EQ(hit(385, 20), HTCLIENT) << "buttons in the caption keep their clicks";
  EXPECT_EQ(hit(200, 150), HTCLIENT);
  EXPECT_EQ(hit(1, 1), HTTOPLEFT);
  EXPECT_EQ(hit(398, 298), HTBOTTOMRIGHT);
  EXPECT_EQ(hit(200, 298), HTBOTTOM);
  EXPECT_EQ(hit(1, 150), HTLEFT);
}

TEST_F(SkinnedWindow, CaptionDoubleClickMaximisesToTheWorkAreaAndRestores) {
  ASSERT_NE(Open(), nullptr);
  RECT before;
  GetWindowRect(hWnd, &before);
  const LPARAM at = MAKELPARAM(before.left + 100, before.top + 20);
  SendMessageA(hWnd, WM_NCLBUTTONDBLCLK, HTCAPTION, at);
  tamvelo::test::PumpToolkit();
  EXPECT_TRUE(IsZoomed(hWnd));
  RECT work, now;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(hWnd, &now);
  EXPECT_TRUE(EqualRect(&now, &work));
  EXPECT_EQ(SendMessageA(hWnd, WM_NCHITTEST, 0, MAKELPARAM(now.right - 1, now.bottom - 1)), HTCLIENT)
      << "no size box while maximised";
  SendMessageA(hWnd, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(now.left + 100, now.top + 20));
  tamvelo::test::PumpToolkit();
  EXPECT_FALSE(IsZoomed(hWnd));
  GetWindowRect(hWnd, &now);
  EXPECT_TRUE(EqualRect(&now, &before));
}

TEST_F(SkinnedWindow, OpacityMakesTheWindowLayered) {
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  wnd.pm().SetOpacity(200);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(hWnd, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 200);
  EXPECT_EQ(flags & LWA_ALPHA, static_cast<DWORD>(LWA_ALPHA));
  wnd.pm().SetOpacity(1);
  GetLayeredWindowAttributes(hWnd, nullptr, &alpha, &flags);
  EXPECT_EQ(alpha, 1);
}

TEST_F(SkinnedWindow, ControlTimersNotify) {
  ASSERT_NE(Open(), nullptr);
  CControlUI* body = wnd.Find("body");
  ASSERT_TRUE(wnd.pm().SetTimer(body, 7, 10));
  const DWORD start = GetTickCount();
  while (wnd.CountOf(DUI_MSGTYPE_TIMER, "body") < 2 && GetTickCount() - start < 2000) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    tamvelo::test::PumpToolkit();
  }
  EXPECT_GE(wnd.CountOf(DUI_MSGTYPE_TIMER, "body"), 2);
  EXPECT_TRUE(wnd.pm().KillTimer(body, 7));
  EXPECT_FALSE(wnd.pm().KillTimer(body, 7));
}

}  // namespace tamvelo::test
