// Process-wide parts around a window: a skin read from a zip held in
// memory, the message loop, per-pixel transparent skins and DPI scaling.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/duilib/skin_fixture.h"

using namespace DuiLib;
using duitest::SkinFolder;
using duitest::TestWindow;

namespace {

DWORD Crc32(const std::string& data) {
  DWORD crc = 0xFFFFFFFF;
  for (unsigned char c : data) {
    crc ^= c;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  return ~crc;
}

void Put16(std::string& out, unsigned v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& out, DWORD v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// A zip archive of stored (uncompressed) entries.
std::string StoredZip(const std::vector<std::pair<std::string, std::string>>& files) {
  std::string zip, central;
  for (const auto& [name, data] : files) {
    const DWORD offset = static_cast<DWORD>(zip.size());
    const DWORD crc = Crc32(data);
    Put32(zip, 0x04034B50);
    Put16(zip, 10);
    Put16(zip, 0);
    Put16(zip, 0);  // stored
    Put32(zip, 0);  // time, date
    Put32(zip, crc);
    Put32(zip, static_cast<DWORD>(data.size()));
    Put32(zip, static_cast<DWORD>(data.size()));
    Put16(zip, static_cast<unsigned>(name.size()));
    Put16(zip, 0);
    zip += name + data;
    Put32(central, 0x02014B50);
    Put16(central, 20);
    Put16(central, 10);
    Put16(central, 0);
    Put16(central, 0);
    Put32(central, 0);
    Put32(central, crc);
    Put32(central, static_cast<DWORD>(data.size()));
    Put32(central, static_cast<DWORD>(data.size()));
    Put16(central, static_cast<unsigned>(name.size()));
    Put32(central, 0);  // extra and comment lengths
    Put32(central, 0);  // disk, internal attributes
    Put32(central, 0);  // external attributes
    Put32(central, offset);
    central += name;
  }
  const DWORD centralOffset = static_cast<DWORD>(zip.size());
  zip += central;
  Put32(zip, 0x06054B50);
  Put32(zip, 0);
  Put16(zip, static_cast<unsigned>(files.size()));
  Put16(zip, static_cast<unsigned>(files.size()));
  Put32(zip, static_cast<DWORD>(central.size()));
  Put32(zip, centralOffset);
  Put16(zip, 0);
  return zip;
}

// The previous zip goes when the test ends.
struct ZipScope {
  ~ZipScope() { CResourceStore::ClearResourceZip(); }
};

}  // namespace

TEST(Resources, AWindowSkinComesFromTheZipHandedOver) {
  SkinFolder folder;  // the files on disk must not be what is read
  folder.Write("xml\\main.xml", u8"<Window size=\"50,50\"><Label name=\"from_disk\"/></Window>");
  const std::string zip = StoredZip({
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
  std::string zip = StoredZip({{"xml/main.xml", "<Window/>"}});
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
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
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
  duitest::Paint(hWnd);
  EXPECT_EQ(wnd.CountOf(DUI_MSGTYPE_WINDOWINIT), 1);
  wnd.pm().SetOpacity(100);
  duitest::Paint(hWnd);
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
