// The strip with real tab processes inside the real main window: layout,
// selection, closing and the address lists.
#include <string>

#include "common/portal_settings.h"
#include "common/protocol.h"
#include "duilib/UIImage.h"
#include "tests/mainwnd/open_main_window.h"

namespace tamvelo::test {
namespace {

class TabStripTest : public OpenMainWindowTest {
 protected:
  // Places the strip at a chosen width; the strip lays its tabs out again.
  void SetStripWidth(int width) {
    const RECT pos = strip()->GetPos();
    strip()->SetPos({pos.left, pos.top, pos.left + width, pos.bottom});
  }
  RECT Button(int index) const { return Tab(index).button->GetPos(); }
};

TEST_F(TabStripTest, LayoutShrinksTabsAndStopsBelowTheMinimum) {
  ASSERT_EQ(strip()->GetTabWidth(), 150);
  ASSERT_EQ(strip()->GetMinTabWidth(), 40);
  const int left = strip()->GetPos().left;
  for (int n = 1; n <= 4; ++n) {
    ASSERT_NE(OpenTab("game " + std::to_string(n)), nullptr);
    SetStripWidth(600);
    for (int i = 0; i < n; ++i) {
      EXPECT_EQ(Button(i).left, left + 150 * i) << n << " tabs";
      EXPECT_EQ(Button(i).right - Button(i).left, 150) << n << " tabs";
    }
  }
  ASSERT_NE(OpenTab("game 5"), nullptr);
  SetStripWidth(600);
  EXPECT_EQ(strip()->GetCurrentTabWidth(), 120);
  EXPECT_EQ(Button(4).right, left + 600);

  // 603 / 5 = 120: the last three pixels stay empty.
  SetStripWidth(603);
  EXPECT_EQ(Button(4).right, left + 600);
  EXPECT_EQ(Button(0).bottom - Button(0).top, strip()->GetPos().bottom - strip()->GetPos().top);

  // Exactly the minimum is still applied; one pixel less is not.
  SetStripWidth(200);
  EXPECT_EQ(strip()->GetCurrentTabWidth(), 40);
  EXPECT_EQ(Button(4).left, left + 160);
  // Refused: the buttons keep the container's own placement of floating
  // children (their "width" of 200 from the strip's left edge).
  SetStripWidth(199);
  EXPECT_EQ(strip()->GetCurrentTabWidth(), 40);
  EXPECT_EQ(Button(4).left, left);
  EXPECT_EQ(Button(4).right, left + 200);
}

// The strip's own attributes, with values other than its defaults so that
// an attribute that is not read shows; widths that are not a usable number
// keep the value before them.
TEST(TabStripAttributes, WidthsAndColoursAreRead) {
  CScrollTabUI strip;
  struct Row {
    const char* name;
    const char* value;
    int tabWidth;
    int minTabWidth;
    DWORD selColor;
    DWORD norColor;
  };
  const Row rows[] = {
      {"TabWidth", "123", 123, 40, 0xFFFFFFFF, 0xFFF0F0F0},
      {"MinTabWidth", "55", 123, 55, 0xFFFFFFFF, 0xFFF0F0F0},
      {"tabwidth", "0", 123, 55, 0xFFFFFFFF, 0xFFF0F0F0},
      {"MinTabWidth", "wide", 123, 55, 0xFFFFFFFF, 0xFFF0F0F0},
      {"TabWidth", "-5", 123, 55, 0xFFFFFFFF, 0xFFF0F0F0},
      {"TabSelColor", "#FF102030", 123, 55, 0xFF102030, 0xFFF0F0F0},
      {"TabSelColor", "80405060", 123, 55, 0x80405060, 0xFFF0F0F0},
      {"TabNorColor", "#FF0A0B0C", 123, 55, 0x80405060, 0xFF0A0B0C},
      {"TabNorColor", "11223344", 123, 55, 0x80405060, 0x11223344},
  };
  for (const Row& row : rows) {
    strip.SetAttribute(row.name, row.value);
    const std::string at = std::string(row.name) + "=" + row.value;
    EXPECT_EQ(strip.GetTabWidth(), row.tabWidth) << at;
    EXPECT_EQ(strip.GetMinTabWidth(), row.minTabWidth) << at;
    EXPECT_EQ(strip.GetTabSelColor(), row.selColor) << at;
    EXPECT_EQ(strip.GetTabNorColor(), row.norColor) << at;
  }
}

// A tab opened under a non-default skin: its button is built with that
// skin's cells, the close button always with the "Default" images, placed
// inside the button's right end.
TEST_F(TabStripTest, NewTabButtonTakesTheCurrentSkinAndTheDefaultCloseImages) {
  struct DefaultSkinAfterwards {
    CMainWnd* window;
    ~DefaultSkinAfterwards() { window->ApplySkin(0); }
  } restore{window()};
  window()->ApplySkin(4);  // Purple
  CScrollOptionUI* tab = OpenTab("purple");
  ASSERT_NE(tab, nullptr);
  DuiLib::COptionUI* button = tab->GetTabButton();
  const std::string cell = "file='skin/Purple/main_wnd_tab_item.png' source='";
  EXPECT_EQ(std::string(button->GetNormalImage()), cell + "0,0,43,32' corner='20,0,20,0'");
  EXPECT_EQ(std::string(button->GetHotImage()), cell + "43,0,86,32' corner='20,0,20,0'");
  EXPECT_EQ(std::string(button->GetPushedImage()), cell + "86,0,129,32' corner='20,0,20,0'");
  EXPECT_EQ(std::string(button->GetSelectedImage()), cell + "86,0,129,32' corner='20,0,20,0'");
  EXPECT_STREQ(button->GetGroup(), "main_tabbar");
  DuiLib::CButtonUI* close = tab->GetCloseButton();
  EXPECT_EQ(std::string(close->GetNormalImage()),
            "file='skin/Default/tab_btn_close_normal.png' source='0,0,12,12' corner='0,0,0,0'");
  EXPECT_STREQ(close->GetHotImage(), "skin/Default/tab_btn_close_hot.png");
  EXPECT_STREQ(close->GetPushedImage(), "skin/Default/close_push.png");
  const RECT outer = button->GetPos();
  const RECT place = close->GetPos();
  EXPECT_EQ(place.right, outer.right - 16);
  EXPECT_EQ(place.right - place.left, 12);
  EXPECT_EQ(place.top, outer.top + 8);
  EXPECT_EQ(place.bottom - place.top, 12);
}

// The colour a control paints at a point of the window, drawn alone on black.
DWORD PaintedPixel(DuiLib::CControlUI* control, POINT at) {
  const RECT pos = control->GetPos();
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = pos.right;
  info.bmiHeader.biHeight = -pos.bottom;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  control->DoPaint(dc, pos);
  GdiFlush();
  const DWORD pixel = static_cast<const DWORD*>(bits)[at.y * pos.right + at.x] & 0xFFFFFF;
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return pixel;
}

// A skin change gives every tab button the new skin's images, and the normal
// one, written with blanks and a fade part, is read and drawn: the middle of
// a button that is not selected shows the middle of the skin's normal cell.
TEST_F(TabStripTest, SkinChangeRedrawsTabButtonsWithTheNewSkinsNormalCell) {
  ASSERT_NE(OpenTab("first"), nullptr);
  ASSERT_NE(OpenTab("second"), nullptr);
  DuiLib::COptionUI* button = Tab(0).button->GetTabButton();
  ASSERT_FALSE(button->IsSelected());
  const RECT pos = button->GetPos();
  const POINT middle = {(pos.left + pos.right) / 2, pos.top + 20};
  for (const char* folder : {"Pink", "Green", "Default"}) {
    window()->ApplySkin(folder == std::string("Pink") ? 3 : folder == std::string("Green") ? 2 : 0);
    const std::string cell = std::string("skin/") + folder + "/main_wnd_tab_item.png";
    EXPECT_EQ(std::string(button->GetNormalImage()),
              "file = '" + cell + "' source='0,0,43,32' corner='20,0,20,0' fade='255'");
    const DuiLib::TImageInfo* image = DuiLib::CImageCache::Get(cell.c_str());
    ASSERT_NE(image, nullptr) << cell;
    // Premultiplied, so on black the cell's pixel is what is drawn.
    const DWORD expected = reinterpret_cast<const DWORD*>(image->pBits)[20 * image->nX + 21] & 0xFFFFFF;
    const DWORD drawn = PaintedPixel(button, middle);
    for (int shift : {0, 8, 16}) {
      EXPECT_NEAR(static_cast<int>((drawn >> shift) & 0xFF), static_cast<int>((expected >> shift) & 0xFF), 2)
          << folder << std::hex << " drawn " << drawn << " expected " << expected;
    }
  }
}

TEST_F(TabStripTest, OpenedTabIsCurrentShownAndPlacedUnderTheToolBar) {
  ASSERT_NE(OpenTab("first"), nullptr);
  ASSERT_NE(OpenTab("second"), nullptr);
  ASSERT_EQ(TabCount(), 2);
  for (int i = 0; i < 2; ++i) {
    ASSERT_NE(Tab(i).tabWindow, nullptr);
    ASSERT_NE(Tab(i).hostWindow, nullptr);
    EXPECT_TRUE(IsChild(hwnd(), Tab(i).tabWindow));
    EXPECT_TRUE(IsChild(hwnd(), Tab(i).hostWindow));
    EXPECT_FALSE(IsWindowVisible(Tab(i).hostWindow));
  }
  EXPECT_EQ(strip()->GetCurrentTabIndex(), 1);
  EXPECT_FALSE(TabShown(0));
  EXPECT_TRUE(TabShown(1));
  EXPECT_TRUE(Tab(1).button->GetTabButton()->IsSelected());
  EXPECT_TRUE(window()->IsFullScreenAvailable());
  RECT client;
  GetClientRect(hwnd(), &client);
  const RECT place = TabPlace(1);
  EXPECT_EQ(place.left, 0);
  EXPECT_EQ(place.top, protocol::kTabTopOffset);
  EXPECT_EQ(place.right, client.right);
  EXPECT_EQ(place.bottom, client.bottom);
}

TEST_F(TabStripTest, SelectingShowsOneTabAndReselectingKeepsItVisible) {
  for (int i = 0; i < 3; ++i) ASSERT_NE(OpenTab("game"), nullptr);
  strip()->SelectTab(Tab(0).button);
  EXPECT_EQ(strip()->GetCurrentTabIndex(), 0);
  EXPECT_TRUE(TabShown(0));
  EXPECT_FALSE(TabShown(1));
  EXPECT_FALSE(TabShown(2));
  strip()->SelectTab(Tab(0).button);
  EXPECT_TRUE(TabShown(0));

  // The home tab hides the game and leaves no current tab.
  window()->SelectHomeTab();
  EXPECT_EQ(strip()->GetCurrentTabIndex(), -1);
  EXPECT_FALSE(TabShown(0));
  EXPECT_FALSE(window()->IsFullScreenAvailable());

  // A button that is not in the strip changes nothing.
  strip()->SelectTab(nullptr);
  EXPECT_EQ(strip()->GetCurrentTabIndex(), -1);
}

TEST_F(TabStripTest, ClosingFollowsTheIndexRules) {
  for (int i = 0; i < 3; ++i) ASSERT_NE(OpenTab("game " + std::to_string(i)), nullptr);
  const DWORD firstProcess = Tab(0).processId;
  CScrollOptionUI* rightmost = Tab(2).button;

  // Closing the current tab of three makes the rightmost one current.
  strip()->SelectTab(Tab(0).button);
  strip()->CloseTab(0);
  ASSERT_EQ(TabCount(), 2);
  EXPECT_EQ(strip()->GetCurrentTabIndex(), 1);
  EXPECT_EQ(Tab(1).button, rightmost);
  EXPECT_TRUE(TabShown(1));
  EXPECT_FALSE(TabShown(0));
  EXPECT_TRUE(ProcessEnds(firstProcess, 10000)) << "the closed tab's process ends";

  // Closing a tab while the home page shows leaves the home page shown.
  ASSERT_NE(OpenTab("game 3"), nullptr);
  window()->SelectHomeTab();
  strip()->CloseTab(2);
  ASSERT_EQ(TabCount(), 2);
  EXPECT_EQ(strip()->GetCurrentTabIndex(), -1);
  EXPECT_FALSE(TabShown(0));
  EXPECT_FALSE(TabShown(1));
  EXPECT_FALSE(window()->IsFullScreenAvailable());
  strip()->SelectTab(Tab(1).button);

  // Closing a tab left of the current one keeps the shown tab.
  strip()->CloseTab(0);
  ASSERT_EQ(TabCount(), 1);
  EXPECT_EQ(strip()->GetCurrentTabIndex(), 0);
  EXPECT_TRUE(TabShown(0));

  // Out-of-range indices do nothing.
  strip()->CloseTab(-1);
  strip()->CloseTab(1);
  EXPECT_EQ(TabCount(), 1);

  // Closing the only tab returns to the home page.
  CScrollOptionUI* last = Tab(0).button;
  EXPECT_EQ(strip()->CloseTabOf(last), 0);
  EXPECT_EQ(TabCount(), 0);
  EXPECT_EQ(strip()->GetCurrentTabIndex(), -1);
  auto* home = static_cast<DuiLib::COptionUI*>(window()->GetPaintManager()->FindControl("maintab"));
  EXPECT_TRUE(home->IsSelected());
  EXPECT_FALSE(window()->GetPaintManager()->FindControl("fullscreen")->IsVisible());
  EXPECT_FALSE(window()->IsFullScreenAvailable());
  EXPECT_EQ(strip()->CloseTabOf(last), -1) << "a removed button is no tab";
}

TEST_F(TabStripTest, ClickOnTheCloseButtonOfAnotherTabKeepsTheShownTab) {
  for (int i = 0; i < 3; ++i) ASSERT_NE(OpenTab("game"), nullptr);
  strip()->SelectTab(Tab(1).button);
  Pump(100);  // painted: the buttons have their places
  CScrollOptionUI* shown = Tab(1).button;
  const HANDLE closed = OpenProcess(SYNCHRONIZE, FALSE, Tab(2).processId);
  ASSERT_NE(closed, nullptr);
  const RECT close = Tab(2).button->GetCloseButton()->GetPos();
  const LPARAM at = MAKELPARAM((close.left + close.right) / 2, (close.top + close.bottom) / 2);
  SendMessageA(hwnd(), WM_MOUSEMOVE, 0, at);
  SendMessageA(hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(hwnd(), WM_LBUTTONUP, 0, at);
  Pump(50);
  ASSERT_EQ(TabCount(), 2);
  EXPECT_EQ(Tab(1).button, shown);
  EXPECT_EQ(strip()->GetCurrentTabIndex(), 1);
  EXPECT_TRUE(TabShown(1));
  // The tab under the click went, not another one.
  EXPECT_EQ(WaitForSingleObject(closed, 10000), WAIT_OBJECT_0);
  CloseHandle(closed);
}

TEST_F(TabStripTest, AddressListsChooseThePortalPage) {
  const std::string base = kPortalBaseUrl;
  // A 15-byte entry matches, a 14-byte one never does.
  EXPECT_TRUE(strip()->IsLinktopayUrl((std::string("http://x/") + kLinktopay15 + "?id=1").c_str()));
  EXPECT_FALSE(strip()->IsLinktopayUrl((std::string("http://x/") + kLinktopay14 + "?id=1").c_str()));
  // In both lists: [Linktopay] wins.
  EXPECT_EQ(strip()->ChooseTabAddress((std::string("http://x/") + kLinktopay15).c_str()), base + "/box/linktopay");
  EXPECT_EQ(strip()->ChooseTabAddress((std::string("http://x/") + kOtherurl15).c_str()), base + "/box");
  EXPECT_EQ(strip()->ChooseTabAddress("http://x/game.html"), "http://x/game.html");
  EXPECT_FALSE(strip()->IsOtherUrl(nullptr));
  EXPECT_EQ(strip()->OpenGameTab("t", true, nullptr), nullptr);
}

}  // namespace
}  // namespace tamvelo::test
