#include "box/prefs/skin_names.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tamvelo::test {
using namespace prefs;  // the code under test
namespace {

TEST(SkinNames, IndexToFolder) {
  const char* expected[] = {"Default", "Black", "Green", "Pink", "Purple", "Orange"};
  for (int i = 0; i < kSkinCount; ++i) {
    EXPECT_STREQ(SkinFolderName(i), expected[i]);
    // The windows keep the name in kSkinNameChars: none may be cut.
    EXPECT_LT(std::strlen(SkinFolderName(i)), kSkinNameChars) << i;
  }
  EXPECT_STREQ(SkinFolderName(7), "Default");
  EXPECT_STREQ(SkinFolderName(-1), "Default");
  EXPECT_EQ(ClampSkinIndex(7), 7);
  EXPECT_EQ(ClampSkinIndex(9), 9);
  EXPECT_EQ(ClampSkinIndex(10), 0);
  EXPECT_EQ(ClampSkinIndex(12), 0);
  EXPECT_EQ(ClampSkinIndex(-1), 0);
}

TEST(SkinNames, ImageTextsAsTheToolkitReadsThem) {
  EXPECT_EQ(SkinBackgroundPath("Green"), "skin/Green/mainbg.png");
  EXPECT_EQ(TabNormalImage("Green"),
            "file = 'skin/Green/main_wnd_tab_item.png' source='0,0,43,32' corner='20,0,20,0' fade='255'");
  EXPECT_EQ(TabHotImage("Pink"), "file='skin/Pink/main_wnd_tab_item.png' source='43,0,86,32' corner='20,0,20,0'");
  EXPECT_EQ(TabSelectedImage("Pink"),
            "file='skin/Pink/main_wnd_tab_item.png' source='86,0,129,32' corner='20,0,20,0'");
}

}  // namespace
}  // namespace tamvelo::test
