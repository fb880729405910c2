#include "duilib/UIRender.h"

#include <gtest/gtest.h>

#include <string>

#include "duilib/UIBlend.h"
#include "duilib/UIImage.h"
#include "tests/duilib_base/skin_state.h"
#include "tests/support/sample_data.h"
#include "tests/support/test_support.h"

namespace tamvelo::test {
using namespace DuiLib;  // the code under test
namespace {

// A white 32-bit canvas with a memory DC, read back pixel by pixel. A
// registered canvas is drawn like the paint manager's own buffer, in memory.
class Canvas {
 public:
  Canvas(int width, int height, bool registered = false) : width_(width), height_(height) {
    BYTE* bits = nullptr;
    bitmap_ = CRenderEngine::CreateARGB32Bitmap(width, height, &bits);
    bits_ = reinterpret_cast<DWORD*>(bits);
    for (int i = 0; i < width * height; ++i) bits_[i] = 0xFFFFFF;
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
    if (registered) RegisterBlendTarget(bitmap_, bits, width, height);
  }
  ~Canvas() {
    UnregisterBlendTarget(bitmap_);
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  HDC dc() const { return dc_; }
  // The whole pixel, alpha included.
  DWORD Raw(int x, int y) const {
    GdiFlush();
    return bits_[y * width_ + x];
  }
  // 0xRRGGBB, whatever GDI left in the unused top byte.
  DWORD At(int x, int y) const {
    GdiFlush();
    return bits_[y * width_ + x] & 0xFFFFFF;
  }
  int CountNotWhite() const {
    GdiFlush();
    int n = 0;
    for (int i = 0; i < width_ * height_; ++i) n += (bits_[i] & 0xFFFFFF) != 0xFFFFFF;
    return n;
  }

 private:
  int width_, height_;
  HBITMAP bitmap_;
  DWORD* bits_;
  HDC dc_;
  HGDIOBJ old_;
};

// Channels may be off by one from rounding.
::testing::AssertionResult Near(DWORD actual, DWORD expected) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int a = (actual >> shift) & 0xFF, e = (expected >> shift) & 0xFF;
    if (a - e > 1 || e - a > 1) {
      return ::testing::AssertionFailure() << std::hex << actual << " is not " << expected;
    }
  }
  return ::testing::AssertionSuccess();
}

// Every case drawn through GDI and into a registered buffer: the same result.
class DrawImageString : public tamvelo::test::SkinStateTest, public testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    SkinStateTest::SetUp();
    CResourceStore::SetResourcePath(dir_.path().c_str());
    CreateDirectoryA(dir_.File("skin").c_str(), nullptr);
    // 2 x 2: opaque red, 50% red / transparent, opaque blue.
    tamvelo::test::WriteFile(dir_.File("skin\\quad.png"),
                             tamvelo::test::EncodePng(2, 2, {0xFFFF0000, 0x80FF0000, 0x00FFFFFF, 0xFF0000FF}));
    // 3 x 3 with a different colour in each cell (for nine-slice checks).
    tamvelo::test::WriteFile(dir_.File("skin\\nine.png"),
                             tamvelo::test::EncodePng(3, 3,
                                                    {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004, 0xFF000005,
                                                     0xFF000006, 0xFF000007, 0xFF000008, 0xFF000009}));
    tamvelo::test::WriteFile(dir_.File("skin\\stripes.png"), tamvelo::test::EncodePng(2, 1, {0xFFFF0000, 0xFF0000FF}));
  }
  tamvelo::test::TempDir dir_;
};

TEST_P(DrawImageString, StretchesBlendsAndStaysInsideThePaintRect) {
  Canvas canvas(40, 40, GetParam());
  const RECT item = {0, 0, 20, 20};
  ASSERT_TRUE(CRenderEngine::DrawImageString(canvas.dc(), item, item, "skin/quad.png"));
  EXPECT_TRUE(Near(canvas.At(2, 2), 0xFF0000));
  EXPECT_TRUE(Near(canvas.At(17, 2), 0xFF7F7F));   // 50% red over white
  EXPECT_TRUE(Near(canvas.At(2, 17), 0xFFFFFF));   // transparent
  EXPECT_TRUE(Near(canvas.At(17, 17), 0x0000FF));
  EXPECT_TRUE(Near(canvas.At(25, 25), 0xFFFFFF));  // outside the item

  // Only the left half of the second item is to be painted.
  const RECT item2 = {20, 20, 40, 40};
  const RECT paint = {0, 0, 30, 40};
  ASSERT_TRUE(CRenderEngine::DrawImageString(canvas.dc(), item2, paint, "file='skin/quad.png' source='1,1,2,2'"));
  EXPECT_TRUE(Near(canvas.At(29, 39), 0x0000FF));
  EXPECT_TRUE(Near(canvas.At(30, 39), 0xFFFFFF));
  EXPECT_TRUE(Near(canvas.At(39, 20), 0xFFFFFF));
}

TEST_P(DrawImageString, DestIsRelativeToTheItemAndFadeScalesAlpha) {
  Canvas canvas(40, 40, GetParam());
  const RECT item = {10, 10, 30, 30};
  ASSERT_TRUE(CRenderEngine::DrawImageString(canvas.dc(), item, item,
                                             "file='skin/quad.png' source='0,0,1,1' dest='2,2,6,6' fade='128'"));
  EXPECT_TRUE(Near(canvas.At(11, 11), 0xFFFFFF));
  EXPECT_TRUE(Near(canvas.At(12, 12), 0xFF7F7F));
  EXPECT_TRUE(Near(canvas.At(15, 15), 0xFF7F7F));
  EXPECT_TRUE(Near(canvas.At(16, 16), 0xFFFFFF));
  // A dest reaching out of the item is cut at the item's edge.
  ASSERT_TRUE(CRenderEngine::DrawImageString(canvas.dc(), item, item, "file='skin/quad.png' dest='15,0,40,5'"));
  EXPECT_TRUE(Near(canvas.At(29, 10), 0xFF0000));
  EXPECT_TRUE(Near(canvas.At(30, 10), 0xFFFFFF));
}

TEST_P(DrawImageString, NineSliceHoleAndTiling) {
  Canvas canvas(40, 40, GetParam());
  const RECT item = {0, 0, 30, 30};
  ASSERT_TRUE(CRenderEngine::DrawImageString(canvas.dc(), item, item, "file='skin/nine.png' corner='1,1,1,1'"));
  EXPECT_EQ(canvas.At(0, 0), 0x000001u);
  EXPECT_EQ(canvas.At(15, 0), 0x000002u);
  EXPECT_EQ(canvas.At(29, 0), 0x000003u);
  EXPECT_EQ(canvas.At(0, 15), 0x000004u);
  EXPECT_EQ(canvas.At(15, 15), 0x000005u);
  EXPECT_EQ(canvas.At(29, 29), 0x000009u);

  Canvas holed(40, 40, GetParam());
  ASSERT_TRUE(CRenderEngine::DrawImageString(holed.dc(), item, item, "file='skin/nine.png' corner='1,1,1,1' hole='true'"));
  EXPECT_EQ(holed.At(15, 15), 0xFFFFFFu);
  EXPECT_EQ(holed.At(15, 29), 0x000008u);

  Canvas tiled(40, 40, GetParam());
  const RECT strip = {0, 0, 7, 3};
  ASSERT_TRUE(CRenderEngine::DrawImageString(tiled.dc(), strip, strip, "file='skin/stripes.png' xtiled='true'"));
  for (int x = 0; x < 7; ++x) EXPECT_EQ(tiled.At(x, 1), x % 2 ? 0x0000FFu : 0xFF0000u) << x;
  EXPECT_EQ(tiled.At(7, 1), 0xFFFFFFu);
}

TEST_P(DrawImageString, MissingOrMalformedDrawsNothing) {
  Canvas canvas(20, 20, GetParam());
  const RECT item = {0, 0, 20, 20};
  EXPECT_FALSE(CRenderEngine::DrawImageString(canvas.dc(), item, item, "skin/none.png"));
  EXPECT_FALSE(CRenderEngine::DrawImageString(canvas.dc(), item, item, "file='skin/quad.png"));
  EXPECT_FALSE(CRenderEngine::DrawImageString(canvas.dc(), item, item, nullptr));
  EXPECT_EQ(canvas.CountNotWhite(), 0);
  // An image that is not decodable counts as missing.
  tamvelo::test::WriteFile(dir_.File("skin\\broken.png"), "\x89PNG\r\n\x1a\nnope");
  EXPECT_FALSE(CRenderEngine::DrawImageString(canvas.dc(), item, item, "skin/broken.png"));
  EXPECT_EQ(canvas.CountNotWhite(), 0);
}

INSTANTIATE_TEST_SUITE_P(GdiAndMemory, DrawImageString, testing::Bool());

class RenderPrimitives : public testing::TestWithParam<bool> {};

TEST_P(RenderPrimitives, ColoursGradientsAndBorders) {
  Canvas canvas(40, 40, GetParam());
  CRenderEngine::DrawColor(canvas.dc(), RECT{0, 0, 10, 10}, 0xFF123456);
  EXPECT_EQ(canvas.At(9, 9), 0x123456u);
  EXPECT_EQ(canvas.At(10, 10), 0xFFFFFFu);
  CRenderEngine::DrawColor(canvas.dc(), RECT{10, 0, 20, 10}, 0x80000000);
  EXPECT_TRUE(Near(canvas.At(15, 5), 0x7F7F7F));
  CRenderEngine::DrawColor(canvas.dc(), RECT{20, 0, 30, 10}, 0x00000000);
  EXPECT_EQ(canvas.At(25, 5), 0xFFFFFFu);

  CRenderEngine::DrawGradient(canvas.dc(), RECT{0, 10, 40, 20}, 0xFF000000, 0xFF0000FF, false);
  EXPECT_EQ(canvas.At(0, 15), 0x000000u);
  EXPECT_EQ(canvas.At(39, 15), 0x0000FFu);
  EXPECT_TRUE(Near(canvas.At(20, 15), 0x000083));
  CRenderEngine::DrawGradient(canvas.dc(), RECT{0, 20, 10, 30}, 0xFFFF0000, 0xFF00FF00, true);
  EXPECT_EQ(canvas.At(5, 20), 0xFF0000u);
  EXPECT_EQ(canvas.At(5, 29), 0x00FF00u);

  Canvas border(40, 40, GetParam());
  CRenderEngine::DrawRect(border.dc(), RECT{5, 5, 25, 25}, 2, 0xFF00FF00);
  EXPECT_EQ(border.At(5, 5), 0x00FF00u);
  EXPECT_EQ(border.At(6, 15), 0x00FF00u);
  EXPECT_EQ(border.At(24, 24), 0x00FF00u);
  EXPECT_EQ(border.At(7, 7), 0xFFFFFFu);
  EXPECT_EQ(border.At(25, 25), 0xFFFFFFu);
  EXPECT_EQ(border.At(4, 4), 0xFFFFFFu);

  Canvas round(40, 40, GetParam());
  CRenderEngine::DrawRoundRect(round.dc(), RECT{0, 0, 40, 40}, 1, 8, 8, 0xFF0000FF);
  EXPECT_EQ(round.At(20, 0), 0x0000FFu);
  EXPECT_EQ(round.At(0, 0), 0xFFFFFFu);  // the corner is rounded off
  EXPECT_EQ(round.At(20, 20), 0xFFFFFFu);
}

INSTANTIATE_TEST_SUITE_P(GdiAndMemory, RenderPrimitives, testing::Bool());

TEST(MemoryBlend, TranslucentFillsOfTheToolkitsOwnBufferBlendEveryChannelExactly) {
  Canvas canvas(8, 4, true);
  // Over white of alpha 0: channel = (colour * a + 255 * (255 - a)) / 255
  // rounded, alpha = a.
  CRenderEngine::DrawColor(canvas.dc(), RECT{0, 0, 2, 1}, 0x80204060);
  EXPECT_EQ(canvas.Raw(1, 0), 0x808F9FAFu);
  CRenderEngine::DrawColor(canvas.dc(), RECT{0, 0, 1, 1}, 0x01000000);
  EXPECT_EQ(canvas.Raw(0, 0), 0x808E9EAEu) << "a second fill blends over the first";
  // Outside the clipping and the bitmap nothing is touched.
  const int saved = SaveDC(canvas.dc());
  IntersectClipRect(canvas.dc(), 0, 1, 8, 2);
  CRenderEngine::DrawColor(canvas.dc(), RECT{4, -5, 20, 20}, 0xFE000000);
  RestoreDC(canvas.dc(), saved);
  EXPECT_EQ(canvas.Raw(7, 1), 0xFE010101u);
  EXPECT_EQ(canvas.Raw(4, 0), 0x00FFFFFFu);
  EXPECT_EQ(canvas.Raw(4, 2), 0x00FFFFFFu);
}

TEST(RenderText, MeasuresWithoutDrawingAndDrawsChinese) {
  Canvas canvas(200, 200);
  RECT rc = {10, 10, 10, 10};
  CRenderEngine::DrawText(canvas.dc(), rc, "塔维洛游戏盒", 0xFF000000, nullptr, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(rc.left, 10);
  EXPECT_GT(rc.right - rc.left, 30);
  EXPECT_GT(rc.bottom - rc.top, 8);
  EXPECT_EQ(canvas.CountNotWhite(), 0);

  RECT box = {0, 0, 200, 40};
  CRenderEngine::DrawText(canvas.dc(), box, "塔维洛游戏盒", 0xFF000000, nullptr, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  EXPECT_GT(canvas.CountNotWhite(), 20);
  // The default font is a Chinese one.
  HDC dc = canvas.dc();
  const HGDIOBJ old = SelectObject(dc, CRenderEngine::DefaultFont());
  EXPECT_EQ(GetTextCharset(dc), GB2312_CHARSET);
  SelectObject(dc, old);
}

}  // namespace
}  // namespace tamvelo::test
