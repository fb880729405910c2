// The main window at the prefix's display scale: its size, its bands, its
// fonts and images, and where a game tab's window sits all follow the DPI.
#include <string>

#include "duilib/UIImage.h"
#include "tests/mainwnd/open_main_window.h"
#include "tests/support/display_scale.h"

namespace tamvelo::test {
namespace {

class DisplayScaleTest : public OpenMainWindowTest {};

struct Expected {
  int width, height;  // the whole window
  int bands;          // the title band and the tool bar together
  int font;           // the 12-pixel default font
  int imagePercent;   // the scale of the image files drawn
};
const Expected kAtScale[] = {
    {1020, 690, 70, 12, 100},
    {1530, 1035, 105, 18, 150},
    {2040, 1380, 140, 24, 200},
};

TEST_F(DisplayScaleTest, WindowBandsFontsImagesAndTabFollowTheDpi) {
  const Expected& expected = kAtScale[PrefixScaleIndex()];
  RECT window;
  GetWindowRect(hwnd(), &window);
  EXPECT_EQ(window.right - window.left, expected.width);
  EXPECT_EQ(window.bottom - window.top, expected.height);

  DuiLib::CPaintManagerUI& pm = *this->window()->GetPaintManager();
  const RECT bands = pm.FindControl("main_bg")->GetPos();
  EXPECT_EQ(bands.top, 0);
  EXPECT_EQ(bands.bottom, expected.bands);
  LOGFONTA font = {};
  GetObjectA(pm.GetFont(0), sizeof font, &font);
  EXPECT_EQ(-font.lfHeight, expected.font);
  for (const char* image : {"skin/Default/mainbg.png", "skin/Default/sys_close.png"}) {
    EXPECT_EQ(DuiLib::CImageCache::GetScaled(image, 0, pm.GetDPIObj()->GetDPI()).filePercent,
              expected.imagePercent)
        << image;
  }

  ASSERT_NE(OpenTabWindow(), nullptr);
  const RECT place = TabPlace(0);
  EXPECT_EQ(place.top, expected.bands);
  RECT client;
  GetClientRect(hwnd(), &client);
  EXPECT_EQ(place.bottom, client.bottom);
}

}  // namespace
}  // namespace tamvelo::test
