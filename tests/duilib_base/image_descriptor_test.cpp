// The image attribute syntax. Portable: runs natively too.
#include "duilib/UIImageDescriptor.h"

#include <gtest/gtest.h>

namespace tamvelo::test {
using namespace DuiLib;  // the code under test
namespace {

TEST(ImageDescriptor, BarePathAndDefaults) {
  ImageDescriptor info;
  ASSERT_TRUE(ParseImageDescriptor("  skin/Default/x.png ", info));
  EXPECT_EQ(info.file, "skin/Default/x.png");
  EXPECT_EQ(info.fade, 255);
  EXPECT_FALSE(info.hole || info.xtiled || info.ytiled);
  EXPECT_EQ(info.source.right, 0);
  EXPECT_EQ(info.mask, 0u);
  EXPECT_FALSE(ParseImageDescriptor("", info));
  EXPECT_FALSE(ParseImageDescriptor("   ", info));
  EXPECT_FALSE(ParseImageDescriptor(nullptr, info));
}

TEST(ImageDescriptor, KeyedSyntaxWithBlanksAndEitherQuote) {
  ImageDescriptor info;
  ASSERT_TRUE(ParseImageDescriptor("file = 'skin/Default/mainbg.png'  source='1,2, 3 ,4' corner=\"5,6,7,8\" "
                                   "fade = '200' dest='0,0,10,20' hole='TRUE' xtiled='true' ytiled='false' "
                                   "mask='#FFFF00FF' future='kept quiet'",
                                   info));
  EXPECT_EQ(info.file, "skin/Default/mainbg.png");
  EXPECT_EQ(info.source.left, 1);
  EXPECT_EQ(info.source.bottom, 4);
  EXPECT_EQ(info.corner.top, 6);
  EXPECT_EQ(info.corner.right, 7);
  EXPECT_EQ(info.dest.bottom, 20);
  EXPECT_EQ(info.fade, 200);
  EXPECT_TRUE(info.hole);
  EXPECT_TRUE(info.xtiled);
  EXPECT_FALSE(info.ytiled);
  EXPECT_EQ(info.mask, 0xFFFF00FFu);
  ASSERT_TRUE(ParseImageDescriptor("res='a.png' fade='999'", info));
  EXPECT_EQ(info.file, "a.png");
  EXPECT_EQ(info.fade, 255);
  // A path with blanks is fine inside quotes.
  ASSERT_TRUE(ParseImageDescriptor("file='my skin/a b.png'", info));
  EXPECT_EQ(info.file, "my skin/a b.png");
}

TEST(ImageDescriptor, MalformedAttributesResetEverything) {
  const char* const bad[] = {
      "file='a.png",              // unterminated quote
      "file=a.png",               // unquoted
      "file='a.png' source='1,2,3'",
      "file='a.png' corner='1,2,3,4,5'",
      "file='a.png' fade='lots'",
      "source='0,0,1,1'",         // no file
      "file='a.png' = 'x'",
  };
  for (const char* text : bad) {
    ImageDescriptor info;
    info.fade = 7;
    EXPECT_FALSE(ParseImageDescriptor(text, info)) << text;
    EXPECT_TRUE(info.file.empty()) << text;
    EXPECT_EQ(info.fade, 255) << text;
  }
}

}  // namespace
}  // namespace tamvelo::test
