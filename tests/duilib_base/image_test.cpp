#include "duilib/UIImage.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "tests/duilib_base/skin_state.h"
#include "tests/support/sample_data.h"
#include "tests/support/test_support.h"

namespace tamvelo::test {
using namespace DuiLib;  // the code under test
namespace {

using tamvelo::test::Bytes;
using tamvelo::test::EncodePng;

DWORD PixelAt(const TImageInfo* image, int x, int y) {
  return reinterpret_cast<const DWORD*>(image->pBits)[y * image->nX + x];
}

// 2 x 2: opaque red, 50% red, transparent white, opaque blue.
std::string SamplePng() { return EncodePng(2, 2, {0xFFFF0000, 0x80FF0000, 0x00FFFFFF, 0xFF0000FF}); }

TEST(ImageDecode, PngComesOutPremultipliedTopDown) {
  const std::string png = SamplePng();
  TImageInfo* image = LoadImageFromMemory(Bytes(png), png.size());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->nX, 2);
  EXPECT_EQ(image->nY, 2);
  EXPECT_TRUE(image->bAlpha);
  ASSERT_NE(image->hBitmap, nullptr);
  EXPECT_EQ(PixelAt(image, 0, 0), 0xFFFF0000u);
  EXPECT_EQ(PixelAt(image, 1, 0), 0x80800000u);
  EXPECT_EQ(PixelAt(image, 0, 1), 0x00000000u);
  EXPECT_EQ(PixelAt(image, 1, 1), 0xFF0000FFu);
  BITMAP bm;
  ASSERT_EQ(GetObjectA(image->hBitmap, sizeof bm, &bm), static_cast<int>(sizeof bm));
  EXPECT_EQ(bm.bmBitsPixel, 32);
  FreeImage(image);
  FreeImage(nullptr);
}

TEST(ImageDecode, OpaqueImagesSayNoAlpha) {
  const std::string png = EncodePng(3, 1, {0xFF010203, 0xFF040506, 0xFF070809});
  TImageInfo* image = LoadImageFromMemory(Bytes(png), png.size());
  ASSERT_NE(image, nullptr);
  EXPECT_FALSE(image->bAlpha);
  EXPECT_EQ(PixelAt(image, 2, 0), 0xFF070809u);
  FreeImage(image);
}

TEST(ImageDecode, BadDataGivesNull) {
  const std::string png = SamplePng();
  EXPECT_EQ(LoadImageFromMemory(nullptr, 10), nullptr);
  EXPECT_EQ(LoadImageFromMemory(Bytes(png), 0), nullptr);
  const std::string garbage = "this is not an image at all, not even close";
  EXPECT_EQ(LoadImageFromMemory(Bytes(garbage), garbage.size()), nullptr);
  const std::string cut = png.substr(0, 20);
  EXPECT_EQ(LoadImageFromMemory(Bytes(cut), cut.size()), nullptr);
}

TEST(ImageDecode, WorksWithAnyComStateOfTheThread) {
  const std::string png = SamplePng();
  auto decodeOnThread = [&png](DWORD comInit, bool init) {
    bool ok = false;
    std::thread([&] {
      if (init) CoInitializeEx(nullptr, comInit);
      TImageInfo* image = LoadImageFromMemory(Bytes(png), png.size());
      ok = image && PixelAt(image, 1, 0) == 0x80800000u;
      FreeImage(image);
      // Our own CoInitialize was balanced: this thread's apartment is unchanged.
      if (init) {
        EXPECT_EQ(CoInitializeEx(nullptr, comInit), S_FALSE);
        CoUninitialize();
        CoUninitialize();
      }
    }).join();
    return ok;
  };
  EXPECT_TRUE(decodeOnThread(0, false));
  EXPECT_TRUE(decodeOnThread(COINIT_MULTITHREADED, true));
  EXPECT_TRUE(decodeOnThread(COINIT_APARTMENTTHREADED, true));
}

class ImageCacheTest : public tamvelo::test::SkinStateTest {};

TEST_F(ImageCacheTest, CachesByNameAndRemembersMissingFiles) {
  tamvelo::test::TempDir dir;
  CResourceStore::SetResourcePath(dir.path().c_str());
  tamvelo::test::WriteFile(dir.File("a.png"), SamplePng());
  const TImageInfo* a = CImageCache::Get("a.png");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(CImageCache::Get("a.png"), a);
  EXPECT_EQ(CImageCache::Get(nullptr), nullptr);
  EXPECT_EQ(CImageCache::Get(""), nullptr);

  EXPECT_EQ(CImageCache::Get("late.png"), nullptr);
  tamvelo::test::WriteFile(dir.File("late.png"), SamplePng());
  EXPECT_EQ(CImageCache::Get("late.png"), nullptr);  // remembered as missing
  CImageCache::Flush();
  EXPECT_NE(CImageCache::Get("late.png"), nullptr);

  // A mask colour makes its pixels transparent, in a copy of its own.
  const TImageInfo* masked = CImageCache::Get("a.png", 0xFF0000FF);
  ASSERT_NE(masked, nullptr);
  EXPECT_EQ(PixelAt(masked, 1, 1), 0u);
  EXPECT_EQ(PixelAt(masked, 0, 0), 0xFFFF0000u);
  EXPECT_EQ(PixelAt(CImageCache::Get("a.png"), 1, 1), 0xFF0000FFu);
}

TEST_F(ImageCacheTest, FollowsTheNameMapAndSourceChanges) {
  const std::string zip = tamvelo::test::BuildZip({{"skin/Default/logo.png", SamplePng(), true}});
  ASSERT_TRUE(CResourceStore::SetResourceZip(zip.data(), static_cast<unsigned>(zip.size())));
  EXPECT_NE(CImageCache::Get("skin//Default//logo.png"), nullptr);
  EXPECT_EQ(CImageCache::Get("logo"), nullptr);
  ASSERT_TRUE(CResourceManager::GetInstance()->LoadResource(
      "<Res><Image name='logo' value='skin/Default/logo.png'/></Res>"));
  // Loading the map emptied the cache, so "logo" is looked up again.
  EXPECT_NE(CImageCache::Get("logo"), nullptr);
  CResourceStore::ClearResourceZip();
  EXPECT_EQ(CImageCache::Get("logo"), nullptr);
}

// The file drawn for the window's scale first, then the nearest larger one,
// then the plain one; whatever is chosen comes out at the window's scale.
TEST_F(ImageCacheTest, ChoosesTheFileOfTheScaleAndResizesTheRest) {
  tamvelo::test::TempDir dir;
  CResourceStore::SetResourcePath(dir.path().c_str());
  const auto png = [](int width, int height) { return EncodePng(width, height, std::vector<uint32_t>(width * height, 0xFF102030u)); };
  tamvelo::test::WriteFile(dir.File("all.png"), png(4, 2));
  tamvelo::test::WriteFile(dir.File("all@150.png"), png(6, 3));
  tamvelo::test::WriteFile(dir.File("all@200.png"), png(8, 4));
  tamvelo::test::WriteFile(dir.File("big.png"), png(4, 2));
  tamvelo::test::WriteFile(dir.File("big@200.png"), png(8, 4));
  // Black left half, white right half: enlarging it smoothly leaves greys.
  tamvelo::test::WriteFile(dir.File("plain.png"), EncodePng(2, 1, {0xFF000000, 0xFFFFFFFF}));
  struct Case {
    const char* name;
    UINT dpi;
    int filePercent, width, height;
  };
  const Case cases[] = {
      {"all.png", 96, 100, 4, 2},   {"all.png", 144, 150, 6, 3},  {"all.png", 192, 200, 8, 4},
      {"all.png", 120, 150, 5, 3},  // nearest larger, scaled down
      {"big.png", 144, 200, 6, 3},  {"plain.png", 144, 100, 3, 2}, {"plain.png", 192, 100, 4, 2},
  };
  for (const Case& c : cases) {
    const TScaledImage chosen = CImageCache::GetScaled(c.name, 0, c.dpi);
    ASSERT_NE(chosen.image, nullptr) << c.name << " at " << c.dpi;
    EXPECT_EQ(chosen.filePercent, c.filePercent) << c.name << " at " << c.dpi;
    EXPECT_EQ(chosen.image->nX, c.width) << c.name << " at " << c.dpi;
    EXPECT_EQ(chosen.image->nY, c.height) << c.name << " at " << c.dpi;
    EXPECT_EQ(CImageCache::GetScaled(c.name, 0, c.dpi).image, chosen.image) << "kept for the next paint";
  }
  const TImageInfo* smooth = CImageCache::GetScaled("plain.png", 0, 192).image;
  const DWORD inner = PixelAt(smooth, 1, 0) & 0xFF;
  EXPECT_GT(inner, 0u);
  EXPECT_LT(inner, 0xFFu);
  EXPECT_EQ(CImageCache::GetScaled("none.png", 0, 144).image, nullptr);
}

// The syntax itself is tested on ImageDescriptor (image_descriptor_test.cpp).
TEST(DrawInfo, CarriesEveryParsedFieldAndResetsOnFailure) {
  TDrawInfo info;
  ASSERT_TRUE(info.Parse("file='a.png' source='1,2,3,4' corner='5,6,7,8' dest='9,10,11,12' fade='200' "
                         "hole='true' xtiled='true' ytiled='true' mask='#FFFF00FF'"));
  EXPECT_EQ(info.sImageName, "a.png");
  EXPECT_EQ(info.rcSource.left, 1);
  EXPECT_EQ(info.rcSource.bottom, 4);
  EXPECT_EQ(info.rcCorner.top, 6);
  EXPECT_EQ(info.rcCorner.right, 7);
  EXPECT_EQ(info.rcDest.left, 9);
  EXPECT_EQ(info.rcDest.bottom, 12);
  EXPECT_EQ(info.uFade, 200);
  EXPECT_TRUE(info.bHole && info.bTiledX && info.bTiledY);
  EXPECT_EQ(info.dwMask, 0xFFFF00FFu);
  EXPECT_FALSE(info.Parse("file='a.png' fade='lots'"));
  EXPECT_TRUE(info.sImageName.IsEmpty());
  EXPECT_EQ(info.uFade, 255);
  EXPECT_EQ(info.rcSource.left, 0);
  EXPECT_FALSE(info.bHole || info.bTiledX || info.bTiledY);
  EXPECT_EQ(info.dwMask, 0u);
}

RECT R(LONG l, LONG t, LONG r, LONG b) { return RECT{l, t, r, b}; }

bool Same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(NineSlice, CornersKeepTheirSizeAndTheRestStretches) {
  std::vector<TSlice> parts;
  CalcNineSlice(R(100, 100, 200, 160), R(0, 0, 30, 30), R(5, 6, 7, 8), false, parts);
  ASSERT_EQ(parts.size(), 9u);
  EXPECT_TRUE(Same(parts[0].rcDest, R(100, 100, 105, 106)));
  EXPECT_TRUE(Same(parts[0].rcSource, R(0, 0, 5, 6)));
  EXPECT_TRUE(Same(parts[4].rcDest, R(105, 106, 193, 152)));  // centre
  EXPECT_TRUE(Same(parts[4].rcSource, R(5, 6, 23, 22)));
  EXPECT_TRUE(Same(parts[8].rcDest, R(193, 152, 200, 160)));
  EXPECT_TRUE(Same(parts[8].rcSource, R(23, 22, 30, 30)));

  CalcNineSlice(R(100, 100, 200, 160), R(0, 0, 30, 30), R(5, 6, 7, 8), true, parts);
  EXPECT_EQ(parts.size(), 8u);
  for (const auto& part : parts) EXPECT_FALSE(Same(part.rcSource, R(5, 6, 23, 22)));

  CalcNineSlice(R(0, 0, 50, 40), R(10, 10, 20, 20), R(0, 0, 0, 0), false, parts);
  ASSERT_EQ(parts.size(), 1u);
  EXPECT_TRUE(Same(parts[0].rcDest, R(0, 0, 50, 40)));
  EXPECT_TRUE(Same(parts[0].rcSource, R(10, 10, 20, 20)));
}

TEST(NineSlice, SmallDestinationsShrinkCornersInProportion) {
  std::vector<TSlice> parts;
  // 10 px wide for corners of 10 + 30: they get 2.5 -> 2 and 8; no middle column.
  CalcNineSlice(R(0, 0, 10, 100), R(0, 0, 50, 50), R(10, 0, 30, 0), false, parts);
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_TRUE(Same(parts[0].rcDest, R(0, 0, 2, 100)));
  EXPECT_TRUE(Same(parts[0].rcSource, R(0, 0, 10, 50)));
  EXPECT_TRUE(Same(parts[1].rcDest, R(2, 0, 10, 100)));
  EXPECT_TRUE(Same(parts[1].rcSource, R(20, 0, 50, 50)));
  for (const auto& part : parts) {
    EXPECT_LT(part.rcDest.left, part.rcDest.right);
    EXPECT_LT(part.rcDest.top, part.rcDest.bottom);
  }
  // Empty or inverted destinations give nothing.
  CalcNineSlice(R(10, 10, 10, 50), R(0, 0, 50, 50), R(4, 4, 4, 4), false, parts);
  EXPECT_TRUE(parts.empty());
  CalcNineSlice(R(10, 10, 0, 0), R(0, 0, 50, 50), R(4, 4, 4, 4), false, parts);
  EXPECT_TRUE(parts.empty());
  // Corners larger than the source are cut to it.
  CalcNineSlice(R(0, 0, 100, 100), R(0, 0, 4, 4), R(10, 10, 10, 10), false, parts);
  for (const auto& part : parts) {
    EXPECT_GE(part.rcSource.left, 0);
    EXPECT_LE(part.rcSource.right, 4);
  }
}

}  // namespace
}  // namespace tamvelo::test
