#include "common/text_codec.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace tamvelo::test {
namespace {

// "游戏" in UTF-16, code page 936 and UTF-8.
const std::wstring kGameWide = L"\u6e38\u620f";
const std::string kGameGbk = "\xd3\xce\xcf\xb7";
const std::string kGameUtf8 = "\xe6\xb8\xb8\xe6\x88\x8f";

TEST(TextCodec, ConvertsBothWaysInTheAnsiCodePageAndUtf8) {
  ASSERT_EQ(GetACP(), 936u);
  EXPECT_EQ(NarrowFromWide(kGameWide), kGameGbk);
  EXPECT_EQ(WideFromNarrow(kGameGbk), kGameWide);
  EXPECT_EQ(NarrowFromWide(kGameWide, CP_UTF8), kGameUtf8);
  EXPECT_EQ(WideFromNarrow(kGameUtf8, CP_UTF8), kGameWide);
  EXPECT_EQ(ExactNarrowFromWide(kGameWide), kGameGbk);
}

TEST(TextCodec, EmptyAndEmbeddedNulsKeepTheirLength) {
  EXPECT_EQ(NarrowFromWide(L""), "");
  EXPECT_EQ(WideFromNarrow(""), L"");
  EXPECT_EQ(ExactNarrowFromWide(L""), std::string());
  const std::wstring wide(L"a\0b", 3);
  const std::string narrow("a\0b", 3);
  EXPECT_EQ(NarrowFromWide(wide), narrow);
  EXPECT_EQ(WideFromNarrow(narrow), wide);
}

TEST(TextCodec, CharactersTheCodePageLacksAreReplacedOrRefused) {
  ASSERT_EQ(GetACP(), 936u);
  const std::wstring hangul = L"a\uac00b";  // no form in code page 936
  EXPECT_EQ(NarrowFromWide(hangul), "a?b");
  EXPECT_EQ(ExactNarrowFromWide(hangul), std::nullopt);
  EXPECT_EQ(ExactNarrowFromWide(L"\U0001F600"), std::nullopt);
}

TEST(TextCodec, BrokenDoubleByteInputLosesNothingAround) {
  ASSERT_EQ(GetACP(), 936u);
  // A lead byte with no trail byte at the end, and one followed by a byte no
  // character uses: the text around survives.
  const std::wstring cut = WideFromNarrow("ab\x81");
  ASSERT_EQ(cut.size(), 3u);
  EXPECT_EQ(cut.substr(0, 2), L"ab");
  const std::wstring bad = WideFromNarrow("ab\x81\x7f" "cd");
  ASSERT_GE(bad.size(), 5u);
  EXPECT_EQ(bad.substr(0, 2), L"ab");
  EXPECT_EQ(bad.substr(bad.size() - 2), L"cd");
}

}  // namespace
}  // namespace tamvelo::test
