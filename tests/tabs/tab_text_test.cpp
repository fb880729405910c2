#include "box/tabs/tab_text.h"

#include <gtest/gtest.h>

#include "tests/support/text_literals.h"

namespace tamvelo::test {
using namespace tabs;  // the code under test
namespace {

TEST(CutButtonText, FifteenBytesWholeSixteenCut) {
  EXPECT_EQ(CutButtonText("123456789012345"), "123456789012345");
  EXPECT_EQ(CutButtonText("1234567890123456"), "123456789012...");
  EXPECT_EQ(CutButtonText(""), "");
  EXPECT_EQ(CutButtonText("http://www.example.com/game"), "http://www.e...");
}

TEST(CutButtonText, NeverSplitsADoubleByteCharacter) {
  ASSERT_TRUE(test::AnsiCodePageIsGbk());
  // "a" then eight Chinese characters: byte 12 would be the lead byte of the sixth.
  const std::string title = "a" + test::Utf8ToAnsi(u8"\u6e38\u620f\u5927\u5385\u5feb\u4e50\u5f00\u5fc3");
  ASSERT_EQ(title.size(), 17u);
  const std::string text = CutButtonText(title);
  EXPECT_EQ(text, "a" + test::Utf8ToAnsi(u8"\u6e38\u620f\u5927\u5385\u5feb") + "...");
  EXPECT_EQ(text.size(), 14u);
  // Six whole characters fit exactly into twelve bytes.
  const std::string even = test::Utf8ToAnsi(u8"\u6e38\u620f\u5927\u5385\u5feb\u4e50\u5f00\u5fc3");
  EXPECT_EQ(CutButtonText(even), test::Utf8ToAnsi(u8"\u6e38\u620f\u5927\u5385\u5feb\u4e50") + "...");
}

TEST(MarkButtonText, MarkThenWholeCharactersWithinFifteenBytes) {
  ASSERT_TRUE(test::AnsiCodePageIsGbk());
  const std::string mark = test::Utf8ToAnsi(u8"(已停止)");  // an ended tab's
  ASSERT_EQ(mark.size(), 8u);
  const std::string chinese = test::Utf8ToAnsi(u8"\u6e38\u620f\u5927\u5385\u5feb");
  struct Case {
    std::string text;
    std::string expected;
  };
  const Case cases[] = {
      {"", mark},
      {"game", mark + "game"},
      {"1234567", mark + "1234567"},                       // exactly 15 bytes
      {"123456789012...", mark + "1234567"},               // a cut text is cut again
      {"a" + chinese, mark + "a" + chinese.substr(0, 6)},  // 7 bytes left: 1 + 3 characters
      {chinese, mark + chinese.substr(0, 6)},              // 6 of 7: half a character is dropped
  };
  for (const Case& c : cases) {
    const std::string marked = MarkButtonText(mark, c.text);
    EXPECT_EQ(marked, c.expected) << c.text;
    EXPECT_LE(marked.size(), kTabTextMaxBytes) << c.text;
  }
  EXPECT_EQ(MarkButtonText(std::string(20, 'm'), "x"), std::string(15, 'm'));
}

TEST(ShortenTabTitle, ByAnsiBytes) {
  ASSERT_TRUE(test::AnsiCodePageIsGbk());
  EXPECT_EQ(ShortenTabTitle(L"123456789012345"), "123456789012345");
  EXPECT_EQ(ShortenTabTitle(L"1234567890123456"), "123456789012...");
  EXPECT_EQ(ShortenTabTitle(L"abcdefghijklmnopqr"), "abcdefghijkl...");
  // Ten Chinese characters are 20 bytes: six of them and "...".
  const std::wstring ten = L"\u6e38\u620f\u5927\u5385\u5feb\u4e50\u5f00\u5fc3\u597d\u73a9";
  EXPECT_EQ(ShortenTabTitle(ten), test::Utf8ToAnsi(u8"\u6e38\u620f\u5927\u5385\u5feb\u4e50") + "...");
  // Seven Chinese characters (14 bytes) fit whole.
  EXPECT_EQ(ShortenTabTitle(ten.substr(0, 7)), test::Utf8ToAnsi(u8"\u6e38\u620f\u5927\u5385\u5feb\u4e50\u5f00"));
  // Mixed: "ab" and seven characters (16 bytes): "ab" and five characters.
  EXPECT_EQ(ShortenTabTitle(L"ab" + ten.substr(0, 7)),
            "ab" + test::Utf8ToAnsi(u8"\u6e38\u620f\u5927\u5385\u5feb") + "...");
  EXPECT_EQ(ShortenTabTitle(L""), "");
}

}  // namespace
}  // namespace tamvelo::test
