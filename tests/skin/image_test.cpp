// The images: every picture a layout or the program names exists, decodes,
// and is large enough for the rectangles cut out of it, in each scale the
// skin is drawn at; the program icon carries the sizes of the usual scales.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <set>

#include "duilib/UIImageScale.h"
#include "tests/skin/skin_files.h"

namespace tamvelo::test {
namespace {

const char* const kSkins[] = {"Default", "Black", "Green", "Pink", "Purple", "Orange"};
const char* const kImageAttributes[] = {"bkimage",       "normalimage",   "hotimage",
                                        "pushedimage",   "disabledimage", "selectedimage",
                                        "selectedhotimage"};

// The plain image and its files for 150 and 200 %: each the plain size
// times its scale, with the logical rectangles scaled alike inside it.
void ExpectFits(const std::string& where, const ImageRef& ref) {
  const ImageInfo plain = ReadImage(PackagePath(ref.file));
  ASSERT_TRUE(plain.decoded) << where << ": " << ref.file;
  for (int percent : {100, 150, 200}) {
    const std::string file = percent == 100 ? ref.file : DuiLib::ScaledImageName(ref.file, percent);
    const ImageInfo image = percent == 100 ? plain : ReadImage(PackagePath(file));
    ASSERT_TRUE(image.decoded) << where << ": " << file;
    auto scaled = [percent](int logical) { return MulDiv(logical, percent, 100); };
    EXPECT_EQ(static_cast<int>(image.width), scaled(static_cast<int>(plain.width))) << file;
    EXPECT_EQ(static_cast<int>(image.height), scaled(static_cast<int>(plain.height))) << file;
    int width = static_cast<int>(image.width), height = static_cast<int>(image.height);
    if (ref.hasSource) {
      int s[4];
      for (int i = 0; i < 4; ++i) s[i] = scaled(ref.source[i]);
      EXPECT_TRUE(0 <= s[0] && s[0] < s[2] && s[2] <= width && 0 <= s[1] && s[1] < s[3] && s[3] <= height)
          << where << ": source outside " << file;
      width = s[2] - s[0];
      height = s[3] - s[1];
    }
    const int* c = ref.corner;
    EXPECT_LE(scaled(c[0]) + scaled(c[2]), width) << where << ": corners wider than " << file;
    EXPECT_LE(scaled(c[1]) + scaled(c[3]), height) << where << ": corners higher than " << file;
  }
}

TEST(SkinImages, ParsesBothImageForms) {
  ImageRef bare = ParseImageRef("skin/Default/mainbg.png");
  EXPECT_EQ(bare.file, "skin/Default/mainbg.png");
  EXPECT_FALSE(bare.hasSource);
  // The program's own form for the normal tab image has blanks around "=".
  ImageRef full = ParseImageRef("file = 'skin/Pink/main_wnd_tab_item.png' source='0,0,43,32' corner='20,0,20,0' fade='255'");
  EXPECT_EQ(full.file, "skin/Pink/main_wnd_tab_item.png");
  ASSERT_TRUE(full.hasSource);
  EXPECT_EQ(full.source[2], 43);
  EXPECT_EQ(full.corner[2], 20);
}

TEST(SkinImages, EveryImageOfEveryLayoutExistsAndFits) {
  for (const char* file : {"main.xml", "menu.xml", "traymenu.xml", "Down_Sel_Menu.xml", "FullscreenBtn.xml",
                           "MessageWnd.xml", "CloseHintDlg.xml", "SettingWnd.xml", "SkinWnd.xml", "AboutWnd.xml"}) {
    Layout layout = LoadLayout(file);
    ASSERT_TRUE(layout.root) << layout.error;
    for (const LayoutNode* node : layout.All()) {
      for (const char* key : kImageAttributes) {
        if (node->Has(key)) ExpectFits(std::string(file) + " " + node->Get("name") + " " + key, ParseImageRef(node->Get(key)));
      }
    }
  }
}

TEST(SkinImages, EverySkinHasWhatASkinChangeLoads) {
  // The texts the skin change and new tabs build, for each folder.
  for (const char* skin : kSkins) {
    std::string tab = std::string("skin/") + skin + "/main_wnd_tab_item.png";
    ImageInfo strip = ReadImage(PackagePath(tab));
    ASSERT_TRUE(strip.decoded) << tab;
    EXPECT_EQ(strip.width, 129u) << tab;
    EXPECT_EQ(strip.height, 32u) << tab;
    for (const char* source : {"0,0,43,32", "43,0,86,32", "86,0,129,32"}) {
      ExpectFits(skin, ParseImageRef("file='" + tab + "' source='" + source + "' corner='20,0,20,0'"));
    }
    ExpectFits(skin, ParseImageRef(std::string("skin/") + skin + "/mainbg.png"));
  }
}

TEST(SkinImages, TabCloseMarksAreTwelvePixels) {
  for (const char* file : {"skin/Default/tab_btn_close_normal.png", "skin/Default/tab_btn_close_hot.png",
                           "skin/Default/close_push.png"}) {
    ImageInfo image = ReadImage(PackagePath(file));
    ASSERT_TRUE(image.decoded) << file;
    EXPECT_EQ(image.width, 12u) << file;
    EXPECT_EQ(image.height, 12u) << file;
    ExpectFits(file, ParseImageRef(file));
  }
}

TEST(SkinImages, SkinChooserShowsEverySkin) {
  Layout chooser = LoadLayout("SkinWnd.xml");
  ASSERT_TRUE(chooser.root) << chooser.error;
  for (int i = 0; i < 6; ++i) {
    const LayoutNode* button = chooser.First("skinbtn" + std::to_string(i + 1));
    ASSERT_NE(button, nullptr);
    std::string expected = std::string("skin/") + kSkins[i] + "/";
    EXPECT_EQ(ParseImageRef(button->Get("normalimage")).file.rfind(expected, 0), 0u) << "skinbtn" << i + 1;
  }
}

TEST(ProgramIcon, CarriesTheSmallAndLargeSizesOfEachScale) {
  std::string path = std::string("Z:") + TAMVELO_ICON_FILE;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  std::string bytes;
  if (FILE* file = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    size_t read;
    while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, read);
    std::fclose(file);
  }
  ASSERT_GE(bytes.size(), 6u) << path;
  auto word = [&](size_t at) { return static_cast<unsigned>(static_cast<unsigned char>(bytes[at])) |
                                      static_cast<unsigned>(static_cast<unsigned char>(bytes[at + 1])) << 8; };
  EXPECT_EQ(word(2), 1u) << "an icon, not a cursor";
  std::set<int> sizes;
  for (unsigned i = 0; i < word(4) && 6 + 16 * (i + 1) <= bytes.size(); ++i) {
    int size = static_cast<unsigned char>(bytes[6 + 16 * i]);
    sizes.insert(size == 0 ? 256 : size);
  }
  // 16 and 32 pixels at 100, 125, 150 and 200 %.
  EXPECT_EQ(sizes, (std::set<int>{16, 20, 24, 32, 40, 48, 64}));
  // And the platform hands out each size as a real icon of that size.
  for (int size : sizes) {
    HICON icon = static_cast<HICON>(LoadImageA(nullptr, path.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE));
    ASSERT_NE(icon, nullptr) << size;
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour = {};
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, size);
    EXPECT_EQ(colour.bmHeight, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
}

}  // namespace
}  // namespace tamvelo::test
