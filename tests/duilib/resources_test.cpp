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

TEST(Resources, DpiObjectScalesOnlyWhenAware) {
  CPaintManagerUI pm;
  CDPI* dpi = pm.GetDPIObj();
  EXPECT_EQ(dpi->GetScale(), 100u);
  EXPECT_EQ(dpi->Scale(70), 70);
  EXPECT_TRUE(dpi->SetDPIAwareness(PROCESS_PER_MONITOR_DPI_AWARE));
  EXPECT_EQ(dpi->GetDPIAwareness(), PROCESS_PER_MONITOR_DPI_AWARE);
  EXPECT_EQ(static_cast<int>(dpi->GetDPI()), CDPI::GetMainMonitorDPI());
  dpi->SetScale(144);
  EXPECT_EQ(dpi->GetScale(), 150u);
  EXPECT_EQ(dpi->Scale(70), 105);
  EXPECT_EQ(dpi->ScaleBack(105), 70);
  // Layout values follow the window's scale.
  CButtonUI button;
  button.ApplyAttributeList("width=\"40\" padding=\"2,0,0,0\"");
  button.SetManager(&pm, nullptr, false);
  EXPECT_EQ(button.GetFixedWidth(), 60);
  EXPECT_EQ(button.GetPadding().left, 3);
  button.SetManager(nullptr, nullptr, false);
}

}  // namespace tamvelo::test
