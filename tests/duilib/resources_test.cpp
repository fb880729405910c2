// Process-wide parts around a window: a skin read from a zip held in
// memory, the message loop, per-pixel transparent skins and DPI scaling.
#include <gtest/gtest.h>

#include <string>

#include "tests/duilib/skin_fixture.h"
#include "tests/support/sample_data.h"

namespace tamvelo::test {

using namespace DuiLib;

namespace {

// The previous zip goes when the test ends.
struct ZipScope {
  ~ZipScope() { CResourceStore::ClearResourceZip(); }
};

}  // namespace

TEST(Resources, AWindowSkinComesFromTheZipHandedOver) {
  SkinFolder folder;  // the files on disk must not be what is read
  folder.Write("xml\\main.xml", u8"<Window size=\"50,50\"><Label name=\"from_disk\"/></Window>");
  const std::string zip = tamvelo::test::BuildZip({
      {"xml/main.xml", u8"<Window size=\"220,120\"><VerticalLayout><Label name=\"from_zip\" text=\"压缩包\"/>"
                       u8"</VerticalLayout></Window>"},
  });
  ZipScope scope;
  CPaintManagerUI::SetResourceType(UILIB_ZIPRESOURCE);
  ASSERT_TRUE(CPaintManagerUI::SetResourceZip(const_cast<char*>(zip.data()), static_cast<unsigned>(zip.size())));
  TestWindow wnd("xml//main.xml");
  HWND hWnd = wnd.CreateTest();
  ASSERT_NE(hWnd, nullptr);
  EXPECT_NE(wnd.Find("from_zip"), nullptr);
  EXPECT_EQ(wnd.Find("from_disk"), nullptr);
  EXPECT_STREQ(wnd.Find("from_zip")->GetText(), "压缩包");
  RECT rc;
  GetWindowRect(hWnd, &rc);
  EXPECT_EQ(rc.right - rc.left, 220);
  wnd.Destroy();
}

TEST(Resources, ACorruptZipIsRefusedAndTheFilesStayInUse) {
  SkinFolder folder;
  folder.Write("xml\\main.xml", u8"<Window size=\"50,50\"><Label name=\"from_disk\"/></Window>");
  std::string zip = tamvelo::test::BuildZip({{"xml/main.xml", "<Window/>"}});
  zip.resize(zip.size() - 10);  // the end record is cut
  ZipScope scope;
  EXPECT_FALSE(CPaintManagerUI::SetResourceZip(&zip[0], static_cast<unsigned>(zip.size())));
  TestWindow wnd("xml//main.xml");
  ASSERT_NE(wnd.CreateTest(), nullptr);
  EXPECT_NE(wnd.Find("from_disk"), nullptr);
  wnd.Destroy();
}

TEST(Resources, MessageLoopReturnsAfterQuit) {
  PostQuitMessage(3);
  CPaintManagerUI::MessageLoop();  // would hang without the quit message
  MSG msg;
  EXPECT_FALSE(TakePosted(nullptr, WM_QUIT, &msg));
}

TEST(Resources, TransparentSkinsUseALayeredWindow) {
  SkinFolder folder;
  folder.Write("xml\\trans.xml", u8R"(<Window size="120,80" bktrans="true" opacity="230">
      <VerticalLayout bkcolor="#80FF0000"><Label text="半透明" textcolor="#FF000000"/></VerticalLayout></Window>)");
  TestWindow wnd("xml//trans.xml");
  HWND hWnd = wnd.CreateTest();
  ASSERT_NE(hWnd, nullptr);
  EXPECT_TRUE(wnd.pm().IsLayered());
  EXPECT_NE(GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  EXPECT_EQ(wnd.pm().GetOpacity(), 230);
  InvalidateRect(hWnd, nullptr, FALSE);
  tamvelo::test::Paint(hWnd);
  EXPECT_EQ(wnd.CountOf(DUI_MSGTYPE_WINDOWINIT), 1);
  // A layered window's picture is on the screen only. Without a compositor
  // it shows there as painted, its colours multiplied by their alpha and
  // the window's opacity: the background's 0x80 red at 230, then at 100.
  const auto redOnScreen = [&] {
    tamvelo::test::Paint(hWnd);
    RECT place;
    GetWindowRect(hWnd, &place);
    HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, place.left + 110, place.top + 70);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(GetGValue(pixel) + GetBValue(pixel), 0) << std::hex << pixel;
    return static_cast<int>(GetRValue(pixel));
  };
  EXPECT_NEAR(redOnScreen(), 0x80 * 230 / 255, 2);
  wnd.pm().SetOpacity(100);
  EXPECT_NEAR(redOnScreen(), 0x80 * 100 / 255, 2);
  wnd.Destroy();
}

TEST(Resources, DeclaringAwarenessTakesTheSystemDpi) {
  CPaintManagerUI pm;
  CDPI* dpi = pm.GetDPIObj();
  EXPECT_EQ(dpi->GetScale(), 100u);
  EXPECT_TRUE(dpi->SetDPIAwareness(PROCESS_PER_MONITOR_DPI_AWARE));
  EXPECT_EQ(dpi->GetDPIAwareness(), PROCESS_PER_MONITOR_DPI_AWARE);
  EXPECT_EQ(static_cast<int>(dpi->GetDPI()), CDPI::GetMainMonitorDPI());
  dpi->SetScale(144);
  EXPECT_EQ(dpi->ScaleBack(105), 70);
}

// Every kind of skin length is logical and follows the window's DPI, sent
// here as the system sends it when the window reaches another monitor.
TEST(Resources, EveryLengthOfTheSkinFollowsTheWindowsDpi) {
  SkinFolder folder;
  folder.Write("xml\\dpi.xml",
               u8"<Window size=\"200,100\" caption=\"0,0,0,30\" sizebox=\"4,4,4,4\" mininfo=\"150,80\" "
               u8"roundcorner=\"5,5\">"
               u8"<Font id=\"0\" name=\"微软雅黑\" size=\"12\" default=\"true\"/>"
               u8"<Font id=\"1\" name=\"微软雅黑\" size=\"15\" bold=\"true\"/>"
               u8"<VerticalLayout inset=\"2,2,2,2\">"
               u8"<HorizontalLayout height=\"21\" childpadding=\"3\">"
               u8"<Label name=\"a\" width=\"33\" padding=\"1,0,0,0\" textpadding=\"5,1,5,1\"/>"
               u8"<Label name=\"b\" width=\"33\"/></HorizontalLayout>"
               u8"<Control name=\"f1\" float=\"true\" pos=\"1,40,34,50\"/>"
               u8"<Control name=\"f2\" float=\"true\" pos=\"34,40,67,50\"/>"
               u8"</VerticalLayout></Window>");
  TestWindow wnd("xml//dpi.xml");
  HWND hWnd = wnd.CreateTest();
  ASSERT_NE(hWnd, nullptr);
  struct Case {
    UINT dpi;
    int width, height, caption, sizeBox, minWidth, corner;
    int aLeft, aRight, gap, textPadding, floatLeft, floatEdge, floatRight, font;
  };
  // Floating neighbours share their edge: scaling each one's size instead
  // would leave a pixel between them at 125 %.
  const Case cases[] = {
      {96, 200, 100, 30, 4, 150, 5, 3, 36, 3, 5, 1, 34, 67, 15},
      {120, 250, 125, 38, 5, 188, 6, 4, 45, 4, 6, 1, 43, 84, 19},
      {144, 300, 150, 45, 6, 225, 8, 5, 55, 5, 8, 2, 51, 101, 23},
      {192, 400, 200, 60, 8, 300, 10, 6, 72, 6, 10, 2, 68, 134, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dpi);
    RECT suggested = {100, 100, 100 + c.width, 100 + c.height};
    SendMessageA(hWnd, WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi), reinterpret_cast<LPARAM>(&suggested));
    tamvelo::test::Paint(hWnd);
    RECT window;
    GetWindowRect(hWnd, &window);
    EXPECT_EQ(window.right - window.left, c.width);
    EXPECT_EQ(window.bottom - window.top, c.height);
    EXPECT_EQ(wnd.pm().GetCaptionRect().bottom, c.caption);
    EXPECT_EQ(wnd.pm().GetSizeBox().left, c.sizeBox);
    EXPECT_EQ(wnd.pm().GetMinInfo().cx, c.minWidth);
    EXPECT_EQ(wnd.pm().GetRoundCorner().cx, c.corner);
    const RECT a = wnd.Find("a")->GetPos();
    const RECT b = wnd.Find("b")->GetPos();
    EXPECT_EQ(a.left, c.aLeft);
    EXPECT_EQ(a.right, c.aRight);
    EXPECT_EQ(b.left - a.right, c.gap);
    EXPECT_EQ(b.right - b.left, a.right - a.left);
    EXPECT_EQ(static_cast<CLabelUI*>(wnd.Find("a"))->GetTextPadding().left, c.textPadding);
    EXPECT_EQ(wnd.Find("f1")->GetPos().left, c.floatLeft);
    EXPECT_EQ(wnd.Find("f1")->GetPos().right, c.floatEdge);
    EXPECT_EQ(wnd.Find("f2")->GetPos().left, c.floatEdge);
    EXPECT_EQ(wnd.Find("f2")->GetPos().right, c.floatRight);
    LOGFONTA font = {};
    GetObjectA(wnd.pm().GetFont(1), sizeof font, &font);
    EXPECT_EQ(-font.lfHeight, c.font);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    // Hit testing: the caption ends where its scaled edge is.
    POINT inCaption = {c.width / 2, c.caption - 1}, below = {c.width / 2, c.caption};
    ClientToScreen(hWnd, &inCaption);
    ClientToScreen(hWnd, &below);
    EXPECT_EQ(SendMessageA(hWnd, WM_NCHITTEST, 0, MAKELPARAM(inCaption.x, inCaption.y)), HTCAPTION);
    EXPECT_EQ(SendMessageA(hWnd, WM_NCHITTEST, 0, MAKELPARAM(below.x, below.y)), HTCLIENT);
  }
  wnd.Destroy();
}

}  // namespace tamvelo::test
